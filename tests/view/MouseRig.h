// The running program against the simulated device, driven with mouse events
// on the view's drawing: where items lie on screen, clicks, double clicks and
// drags as QTest sends them, paint counting, and edit dialogs answered by the
// test instead of a modal loop.
#pragma once

#include "ViewRig.h"

#include "view/EditDialog.h"

#include <QObject>

#include <functional>
#include <vector>

namespace mousetest {

// Items of the demo rack (viewtest::DemoImage) in layout order.
enum : int { kKeys = 0, kPanel = 1, kComputer = 2, kAnalog = 3, kSdi = 4, kCard = 5, kHdmiOut = 6, kSdiOut = 7 };

// Centre of an item's sub-item in the viewport's client coordinates.
QPoint ClientCentre(const CMainView& view, int item, int sub);
// A point of a module's plate that lies on none of its inputs: the middle of
// its head, under the model band.
QPoint ClientBody(const CMainView& view, int item);

void Click(CMainView& view, QPoint point);
// The second click of a double click as the platform delivers it: press,
// release, double click, release.
void DoubleClick(CMainView& view, QPoint point);
// Press at from, move over each point with the button held, release at the last.
void Drag(CMainView& view, QPoint from, std::initializer_list<QPoint> over);
// A move without a button (the button was released outside the view).
void MoveWithoutButton(CMainView& view, QPoint point);

// Where a picture for a person goes: the folder VKX_MOUSE_SHOTS names, the
// working folder when unset.
QString ShotPath(const QString& name);
// The viewport as it is painted.
QImage Grab(const CMainView& view);

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget);
    // Lets pending repaints happen, then returns and resets the count.
    int Take();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_count = 0;
};

// Answers the view's edit dialogs: each is shown (so it initialises from its
// fields as it would in its modal loop), handed to `answer`, and the result
// returned. Without an answer a dialog is cancelled.
class DialogScript {
public:
    explicit DialogScript(CMainView& view);
    ~DialogScript();
    std::function<int(EditDialog&)> answer;
    std::vector<int> opened;  // dialog resource IDs in order
private:
    CMainView& m_view;
};

// OK as the button does it; IDOK when the dialog took its fields.
int Confirm(EditDialog& dialog);

// The demo rack connected in a window large enough to show it unscrolled,
// with the change notice not yet shown.
class MouseRig : public viewtest::ViewRig {
public:
    MouseRig();
    // Connects to the device holding image; false when that failed.
    bool ConnectTo(const ConfigImage& image);
    CMainView& v() const { return view(); }
    uint32_t Mask(int item) const { return view().Layout().items()[std::size_t(item)].mask; }
    int CountMessages(unsigned id) const;
};

}  // namespace mousetest
