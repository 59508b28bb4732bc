// CMainView: the mouse. Events become HandleClick and HandleDrag calls on
// hit-tested points; the rules themselves are in MouseEdit.
#include "view/MainView.h"

#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/StepTexts.h"
#include "view/ViewCursors.h"

#include <QMouseEvent>

QPoint CMainView::ToLayout(QPoint point) const { return m_zoom.ToLayout(point + ScrollPosition()); }

int CMainView::HitItem(QPoint point, int sub) const { return ::HitItem(m_layout, point, sub, LayoutClientSize()); }

int CMainView::HitSubItem(int item, QPoint point) const {
    return ::HitSubItem(m_layout, *m_pDoc, item, point, LayoutClientSize());
}

SubItemRef CMainView::HitTest(QPoint point) const { return ::HitTest(m_layout, *m_pDoc, point, LayoutClientSize()); }

void CMainView::ClearMasks() { ::ClearMasks(m_layout); }

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
                   [&] { return OpenEditDialog(hit); }))
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

void CMainView::DragOver(SubItemRef hit, bool drop) {
    const DragOutcome outcome = m_mouse.Drag(hit, drop);
    if (outcome.link == DropResult::LabelRefused) UiMessageBox(IDS_DUPLICATE_LABEL, MB_OK | MB_ICONEXCLAMATION);
    if (!outcome.changed) return;
    RedrawAll();
    ShowChangeNotice();
}

// The cursors are drawn the first time one is shown rather than with the
// view: the window comes up sooner, and most starts never need them.
const QCursor& CMainView::ViewCursorShape(int index) {
    if (!m_cursorsMade) {
        m_cursors = LoadViewCursors();
        m_cursorsMade = true;
    }
    return m_cursors[std::size_t(index)];
}

void CMainView::OnSetCursor(QPoint point) {
    m_cursorIndex = m_mouse.ChooseCursor(HitTest(ToLayout(point)));
    if (m_cursorIndex == CURSOR_DEFAULT)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(ViewCursorShape(m_cursorIndex));
}

// The events are taken here and not passed on: the frame behind the view has
// nothing to do with clicks on the drawing.
void CMainView::mousePressEvent(QMouseEvent* event) {
    ShowKeyboardCues(false);
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
