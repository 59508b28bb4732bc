// CMainView: the mouse and the keyboard. Mouse events become HandleClick and
// HandleDrag calls on hit-tested points, keys the same ClickOn and DragOver
// calls on places KeyboardEdit chooses; the rules themselves are in MouseEdit.
#include "view/MainView.h"

#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/KeyboardNavigation.h"
#include "view/StepTexts.h"
#include "view/ViewAccessible.h"
#include "view/ViewContextMenu.h"
#include "view/ViewCursors.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

QPoint CMainView::ToLayout(QPoint point) const { return m_zoom.ToLayout(point + ScrollPosition()); }

SubItemRef CMainView::HitTest(QPoint point) const { return ::HitTest(m_layout, *m_pDoc, point, LayoutClientSize()); }

void CMainView::OnMouseChange() {
    RefreshToolTips(true);
    RedrawAll();
    ShowChangeNotice();
}

void CMainView::HandleClick(QPoint point, bool doubleClick) { ClickOn(HitTest(ToLayout(point)), doubleClick); }

void CMainView::ClickOn(SubItemRef hit, bool doubleClick) {
    bool changed = m_mouse.Select(hit);
    if (doubleClick && hit.item != -1 &&
        RecordEdit(DialogStepText(*m_pDoc, m_layout.items()[std::size_t(hit.item)], hit.sub),
                   [&] { return m_editor.Open(hit); }))
        changed = true;
    if (changed) OnMouseChange();
    if (m_pDoc->TakeInputLimitWarning()) ShowWarnings({IDS_INPUT_LIMIT});
}

// While the button is held Qt sends every move and the release to the
// viewport, wherever the mouse is. Outside the viewport lies nothing the user
// can see: no drop target there, and a release there drops nothing; the drag
// then ends at the next move over the view, as a drop at that point.
void CMainView::HandleDrag(QPoint point, bool drop) {
    const bool overView = viewport()->rect().contains(point);
    DragOver(overView ? HitTest(ToLayout(point)) : SubItemRef{}, drop && overView);
}

void CMainView::LinkByMenu(SubItemRef from, SubItemRef to) {
    if (m_mouse.IsDragging() && m_mouse.CancelDrag()) RedrawAll();
    ClickOn(from, false);
    DragOver(to, false);
    DragOver(to, true);
}

void CMainView::DragOver(SubItemRef hit, bool drop) {
    const DragOutcome outcome = m_mouse.Drag(hit, drop);
    if (outcome.link == DropResult::LabelRefused) UiMessageBox(IDS_DUPLICATE_LABEL, MB_OK | MB_ICONEXCLAMATION);
    if (!outcome.changed) return;
    RedrawAll();
    ShowChangeNotice();
}

void CMainView::OnSetCursor(QPoint point) {
    m_cursorIndex = m_mouse.ChooseCursor(HitTest(ToLayout(point)));
    if (m_cursorIndex == CURSOR_DEFAULT)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(m_cursors.Shape(m_cursorIndex));
}

// The events are taken here and not passed on: the frame behind the view has
// nothing to do with clicks on the drawing.
void CMainView::mousePressEvent(QMouseEvent* event) {
    m_keyboard.ShowCues(false);
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) HandleClick(point, false);
    OnSetCursor(point);
    event->accept();
}

void CMainView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) HandleClick(point, true);
    OnSetCursor(point);
    event->accept();
}

void CMainView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton)
        HandleDrag(point, false);
    else if (m_mouse.IsDragging())
        HandleDrag(point, true);  // released outside the view
    OnSetCursor(point);
    event->accept();
}

void CMainView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_mouse.IsDragging()) HandleDrag(point, true);
    OnSetCursor(point);
    event->accept();
}

// With the menu key the menu is for the keyboard's place, shown beside it.
void CMainView::contextMenuEvent(QContextMenuEvent* event) {
    const bool byKey = event->reason() == QContextMenuEvent::Keyboard;
    const SubItemRef hit = byKey ? m_keyboard.Position() : HitTest(ToLayout(event->pos()));
    QPoint where = event->globalPos();
    if (const QRect place = m_keyboard.PositionRect(); byKey && !place.isEmpty())
        where = viewport()->mapToGlobal(ToClient(place).center());
    CreateContextMenu(*this, hit)->exec(where);
    event->accept();
}

void CMainView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
        m_keyboard.ShowCues(true);
    // With a modifier the keys keep their scrolling and shortcuts; with a
    // mouse button held the mouse is linking.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && QGuiApplication::mouseButtons() == Qt::NoButton && m_keyboard.HandleKey(event->key())) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

// Tabbing into the view starts at its first place, so the focus mark shows
// at once; a click selects for itself.
void CMainView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    const bool tabbed = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (tabbed) m_keyboard.ShowCues(true);
    if (tabbed && !m_mouse.Selection().IsSet()) {
        if (!m_keyboard.MoveByKey(KeyMove::First)) RedrawAll();
        return;
    }
    RedrawAll();
    NotifyAccessibleFocus(*this, m_keyboard.Position());
}

// A pick-up does not outlive the focus (a menu, another window); a drag with
// the mouse goes on until its release.
void CMainView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    if (m_mouse.IsDragging() && QGuiApplication::mouseButtons() == Qt::NoButton) m_mouse.CancelDrag();
    RedrawAll();
}
