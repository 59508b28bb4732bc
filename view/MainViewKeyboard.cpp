// CMainView: the keyboard. Keys become the same ClickOn and DragOver calls
// the mouse makes, on places chosen by KeyboardNavigation instead of by hit
// testing, so edits, links and their follow-ups are the mouse's own.
#include "view/MainView.h"

#include "model/CMainDoc.h"
#include "view/KeyboardNavigation.h"
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

void CMainView::SetUpKeyboard() {
    setFocusPolicy(Qt::StrongFocus);
    InstallViewAccessibility();
}

SubItemRef CMainView::KeyboardPosition() const {
    return m_mouse.IsDragging() && m_mouse.DropTarget().IsSet() ? m_mouse.DropTarget() : m_mouse.Selection();
}

// A module body is marked around its configuration area, what a click selects it by.
QRect CMainView::KeyboardPositionRect() const {
    const SubItemRef at = KeyboardPosition();
    QRect rect;
    if (at.item != -1) m_layout.GetItemRect(at.item, rect, at.sub == -1 ? SUBITEM_AREA : at.sub, LayoutClientSize());
    return rect;
}

// As desktops hide focus cues until the keyboard is used, the mark shows
// only once a key was pressed in the view (or the view was tabbed into), and
// goes again at the next mouse press: after clicks the view shows just what
// the mouse selected.
void CMainView::ShowKeyboardCues(bool show) {
    if (m_keyboardCues == show) return;
    m_keyboardCues = show;
    RedrawAll();
}

QRect CMainView::FocusMarkViewRect() const {
    const QRect rect = hasFocus() && m_keyboardCues ? KeyboardPositionRect() : QRect();
    return rect.isEmpty() ? rect : rect.adjusted(-kFocusMarkGap, -kFocusMarkGap, kFocusMarkGap, kFocusMarkGap);
}

QRect CMainView::FocusMarkRect() const {
    const QRect rect = FocusMarkViewRect();
    return rect.isEmpty() ? rect : ToClient(rect);
}

// A white band with black dashes on it: one of the two always stands out,
// whatever the plate under it.
void CMainView::PaintFocusMark(QPainter& painter) const {
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

void CMainView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
        ShowKeyboardCues(true);
    // With a modifier the keys keep their scrolling and shortcuts; with a
    // mouse button held the mouse is linking.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && QGuiApplication::mouseButtons() == Qt::NoButton && HandleKey(event->key())) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool CMainView::HandleKey(int key) {
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
        ClickOn(m_mouse.Selection(), true);  // as a double click on it
        return true;
    case Qt::Key_Escape: return CancelByKey();
    default: return false;
    }
}

// Without anywhere to go (no configuration) the arrows scroll as before.
bool CMainView::MoveByKey(KeyMove move) {
    const std::vector<KeyboardStop> stops = KeyboardStops(m_layout, *m_pDoc, LayoutClientSize());
    if (m_mouse.IsDragging()) {
        const SubItemRef to = MoveStop(stops, KeyboardPosition(), move,
                                       [this](SubItemRef ref) { return m_mouse.IsValidDropTarget(ref); });
        if (to.IsSet()) DragOver(to, false);
    } else {
        const SubItemRef to = MoveStop(stops, m_mouse.Selection(), move);
        if (!to.IsSet()) return false;
        ClickOn(to, false);
    }
    ShowKeyboardPosition();
    return true;
}

// Space on a selected sub-item starts a drag as the first move of the mouse
// over it would; Space or Enter then drops on the target, through the same
// drop as the mouse's. The target becomes the selection afterwards, so the
// keyboard stays where it was and the new links show.
bool CMainView::PickUpOrDrop() {
    if (!m_mouse.IsDragging()) {
        DragOver(m_mouse.Selection(), false);
        if (!m_mouse.IsDragging()) return false;
        RedrawAll();
        ShowKeyboardPosition();
        return true;
    }
    const SubItemRef target = m_mouse.DropTarget();
    DragOver(target, true);
    if (target.IsSet()) ClickOn(target, false);
    ShowKeyboardPosition();
    return true;
}

bool CMainView::CancelByKey() {
    if (!m_mouse.IsDragging()) return false;
    if (m_mouse.CancelDrag()) RedrawAll();
    ShowKeyboardPosition();
    return true;
}

void CMainView::ScrollIntoView(const QRect& rect) {
    const QRect wanted = m_zoom.ToView(rect).adjusted(-kScrollMargin, -kScrollMargin, kScrollMargin, kScrollMargin);
    const QPoint scroll = ScrollPosition();
    const QSize client = ClientSize();
    horizontalScrollBar()->setValue(ScrollToShow(scroll.x(), client.width(), wanted.left(), wanted.right() + 1));
    verticalScrollBar()->setValue(ScrollToShow(scroll.y(), client.height(), wanted.top(), wanted.bottom() + 1));
}

void CMainView::ShowKeyboardPosition() {
    const QRect rect = KeyboardPositionRect();
    if (!rect.isEmpty()) ScrollIntoView(rect);
    NotifyAccessibleFocus(*this, KeyboardPosition());
}

// Tabbing into the view starts at its first place, so the focus mark shows
// at once; a click selects for itself.
void CMainView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    const bool tabbed = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (tabbed) ShowKeyboardCues(true);
    if (tabbed && !m_mouse.Selection().IsSet()) {
        if (!MoveByKey(KeyMove::First)) RedrawAll();
        return;
    }
    RedrawAll();
    NotifyAccessibleFocus(*this, KeyboardPosition());
}

// A pick-up does not outlive the focus (a menu, another window); a drag with
// the mouse goes on until its release.
void CMainView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    if (m_mouse.IsDragging() && QGuiApplication::mouseButtons() == Qt::NoButton) m_mouse.CancelDrag();
    RedrawAll();
}
