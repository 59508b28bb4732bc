// The view's context menu. It offers what the mouse can do with the place
// under it, so that editing can be found without knowing the gestures: the
// dialog a double click opens, the links a drop of that place makes (one
// submenu per kind of target), then Undo and Redo with the names of their
// steps. Each command runs the mouse's own code: a double click, or a press,
// a move and a release.
#pragma once

#include "view/MouseEdit.h"

#include <memory>

class CMainView;
class QMenu;

// The menu for what lies at hit (a right click's hit test, or the keyboard's place).
std::unique_ptr<QMenu> CreateContextMenu(CMainView& view, SubItemRef hit = {});
