#include "view/KeyboardEdit.h"

#include "model/CMainDoc.h"
#include "view/KeyboardNavigation.h"
#include "view/MainView.h"
#include "view/ViewAccessible.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// The mark runs clear of the 3-pixel outlines drawn on an area's edge.
constexpr int kFocusMarkGap = 5;
// Room left beside a place scrolled into the window.
constexpr int kScrollMargin = 12;

// The new scroll value that brings [low, high) into [value, value + page).
int ScrollToShow(int value, int page, int low, int high) {
    if (high - low > page || low < value) return low;
    if (high > value + page) return high - page;
    return value;
}

}  // namespace

KeyboardEdit::KeyboardEdit(CMainView& view, MouseEdit& mouse) : m_view(view), m_mouse(mouse) {}

SubItemRef KeyboardEdit::Position() const {
    return m_mouse.IsDragging() && m_mouse.DropTarget().IsSet() ? m_mouse.DropTarget() : m_mouse.Selection();
}

// A module body is marked around its configuration area, what a click selects it by.
QRect KeyboardEdit::PositionRect() const {
    const SubItemRef at = Position();
    QRect rect;
    if (at.item != -1)
        m_view.Layout().GetItemRect(at.item, rect, at.sub == -1 ? SUBITEM_AREA : at.sub, m_view.LayoutClientSize());
    return rect;
}

// As desktops hide focus cues until the keyboard is used, the mark shows
// only once a key was pressed in the view (or the view was tabbed into), and
// goes again at the next mouse press: after clicks the view shows just what
// the mouse selected.
void KeyboardEdit::ShowCues(bool show) {
    if (m_cues == show) return;
    m_cues = show;
    m_view.RedrawAll();
}

QRect KeyboardEdit::FocusMarkViewRect() const {
    const QRect rect = m_view.hasFocus() && m_cues ? PositionRect() : QRect();
    return rect.isEmpty() ? rect : rect.adjusted(-kFocusMarkGap, -kFocusMarkGap, kFocusMarkGap, kFocusMarkGap);
}

QRect KeyboardEdit::FocusMarkRect() const {
    const QRect rect = FocusMarkViewRect();
    return rect.isEmpty() ? rect : m_view.ToClient(rect);
}

// A white band with black dashes on it: one of the two always stands out,
// whatever the plate under it.
void KeyboardEdit::PaintFocusMark(QPainter& painter) const {
    const QRect rect = FocusMarkViewRect();
    if (rect.isEmpty()) return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawRect(rect);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(rect);
    painter.restore();
}

bool KeyboardEdit::HandleKey(int key) {
    switch (key) {
    case Qt::Key_Left: return MoveByKey(KeyMove::Left);
    case Qt::Key_Right: return MoveByKey(KeyMove::Right);
    case Qt::Key_Up: return MoveByKey(KeyMove::Up);
    case Qt::Key_Down: return MoveByKey(KeyMove::Down);
    case Qt::Key_Home: return MoveByKey(KeyMove::First);
    case Qt::Key_End: return MoveByKey(KeyMove::Last);
    case Qt::Key_Space: return PickUpOrDrop();
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_mouse.IsDragging()) return PickUpOrDrop();
        if (!m_mouse.Selection().IsSet()) return false;
        m_view.ClickOn(m_mouse.Selection(), true);  // as a double click on it
        return true;
    case Qt::Key_Escape: return CancelByKey();
    default: return false;
    }
}

// Without anywhere to go (no configuration) the arrows scroll as before.
bool KeyboardEdit::MoveByKey(KeyMove move) {
    const std::vector<KeyboardStop> stops =
        KeyboardStops(m_view.Layout(), *m_view.GetDocument(), m_view.LayoutClientSize());
    if (m_mouse.IsDragging()) {
        const SubItemRef to =
            MoveStop(stops, Position(), move, [this](SubItemRef ref) { return m_mouse.IsValidDropTarget(ref); });
        if (to.IsSet()) m_view.DragOver(to, false);
    } else {
        const SubItemRef to = MoveStop(stops, m_mouse.Selection(), move);
        if (!to.IsSet()) return false;
        m_view.ClickOn(to, false);
    }
    ShowPosition();
    return true;
}

// Space on a selected sub-item starts a drag as the first move of the mouse
// over it would; Space or Enter then drops on the target, through the same
// drop as the mouse's. The target becomes the selection afterwards, so the
// keyboard stays where it was and the new links show.
bool KeyboardEdit::PickUpOrDrop() {
    if (!m_mouse.IsDragging()) {
        m_view.DragOver(m_mouse.Selection(), false);
        if (!m_mouse.IsDragging()) return false;
        m_view.RedrawAll();
        ShowPosition();
        return true;
    }
    const SubItemRef target = m_mouse.DropTarget();
    m_view.DragOver(target, true);
    if (target.IsSet()) m_view.ClickOn(target, false);
    ShowPosition();
    return true;
}

bool KeyboardEdit::CancelByKey() {
    if (!m_mouse.IsDragging()) return false;
    if (m_mouse.CancelDrag()) m_view.RedrawAll();
    ShowPosition();
    return true;
}

// rect in view coordinates; the scroll position is where the client starts in them.
void KeyboardEdit::ScrollIntoView(const QRect& rect) {
    const QPoint scroll = m_view.ScrollPosition();
    const QRect wanted =
        m_view.ToClient(rect).translated(scroll).adjusted(-kScrollMargin, -kScrollMargin, kScrollMargin, kScrollMargin);
    const QSize client = m_view.ClientSize();
    m_view.horizontalScrollBar()->setValue(ScrollToShow(scroll.x(), client.width(), wanted.left(), wanted.right() + 1));
    m_view.verticalScrollBar()->setValue(ScrollToShow(scroll.y(), client.height(), wanted.top(), wanted.bottom() + 1));
}

void KeyboardEdit::ShowPosition() {
    const QRect rect = PositionRect();
    if (!rect.isEmpty()) ScrollIntoView(rect);
    NotifyAccessibleFocus(m_view, Position());
}
