// What assistive technology sees of the configuration view: an accessible
// interface for CMainView whose children are the layout's items, each with
// its enabled sub-items as children, named the way a screen reader should
// speak them ("Key 3, input 5 Studio Cam 1, panel input A5") in the current
// language, with their selection and focus as state.
#pragma once

#include "view/HitTest.h"

#include <QString>

#include <functional>

class CMainDoc;
class QAccessibleEvent;
class CMainView;
class CSkin;
class SkinLayout;

// Makes Qt use the view's interface; safe to call more than once.
void InstallViewAccessibility();

// The spoken name of an item (sub-item -1) or one of its sub-items.
QString AccessibleName(const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc, SubItemRef ref);

// Announces that the keyboard moved to ref: a focus and a selection event
// for its interface (for the view itself when ref is not set), while
// assistive technology listens.
void NotifyAccessibleFocus(CMainView& view, SubItemRef ref);

// Where those events go: Qt's accessibility, or instead a recorder (tests;
// Qt drops events while no assistive technology is active). An empty sink
// restores Qt's.
using AccessibleEventSink = std::function<void(QAccessibleEvent&)>;
void SetAccessibleEventSink(AccessibleEventSink sink);
