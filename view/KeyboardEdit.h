// Editing with the keyboard. Keys become the same ClickOn and DragOver calls
// the mouse makes, on places chosen by KeyboardNavigation instead of by hit
// testing, so edits, links and their follow-ups are the mouse's own: arrows
// move the selection between the places a double click edits or a drag
// starts from, Enter edits, Space picks up and drops, Escape puts back;
// after a pick-up the arrows move the drop target.
#pragma once

#include "view/MouseEdit.h"

#include <QRect>

class CMainView;
enum class KeyMove;
class QPainter;

class KeyboardEdit {
public:
    KeyboardEdit(CMainView& view, MouseEdit& mouse);

    // Where the keyboard is: the drop target while one is shown, else the selection.
    SubItemRef Position() const;
    // Its rectangle in view coordinates; empty when nothing is selected.
    QRect PositionRect() const;
    // The focus mark around the position, in client coordinates; empty
    // while the view has no focus or nothing is selected, and until the
    // keyboard is used in the view (again after a mouse press).
    QRect FocusMarkRect() const;
    void PaintFocusMark(QPainter& painter) const;
    // Whether the focus mark may show (the keyboard was used in the view).
    void ShowCues(bool show);

    // A key without modifiers; false when it is not the keyboard editing's.
    bool HandleKey(int key);
    bool MoveByKey(KeyMove move);

private:
    bool PickUpOrDrop();
    bool CancelByKey();
    // Scrolls a rectangle in view coordinates into the window, as far as it fits.
    void ScrollIntoView(const QRect& rect);
    // After the keyboard moved: in sight, and announced.
    void ShowPosition();
    QRect FocusMarkViewRect() const;

    CMainView& m_view;
    MouseEdit& m_mouse;
    bool m_cues = false;  // the focus mark shows (the keyboard was used)
};
