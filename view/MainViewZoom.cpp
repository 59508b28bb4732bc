// CMainView: the zoom. The layout keeps its own pixels; the view scales
// painting and maps points and rectangles between the viewport and the
// layout (ViewZoom), so hit testing, tooltips, cursors and drags follow the
// zoom and printing never sees it.
#include "view/MainView.h"

#include "base/SettingKeys.h"
#include "res/resource.h"

#include <QScrollBar>
#include <QWheelEvent>

QSize CMainView::LayoutClientSize() const { return m_zoom.LayoutClient(ClientSize()); }

QRect CMainView::ToClient(const QRect& layoutRect) const {
    return m_zoom.ToView(layoutRect).translated(-ScrollPosition());
}

QPoint CMainView::ClientCentre() const { return QRect(QPoint(0, 0), ClientSize()).center(); }

void CMainView::OnZoomIn() { ZoomTo(ZoomInStep(ZoomPercent()), ClientCentre()); }

void CMainView::OnZoomOut() { ZoomTo(ZoomOutStep(ZoomPercent()), ClientCentre()); }

void CMainView::OnZoomReset() { ZoomTo(kZoomDefaultPercent, ClientCentre()); }

// Fitted to the client area as it is; when the scroll bars then go away the
// client grows, and a second look may fit a step larger.
void CMainView::OnZoomFit() {
    for (int pass = 0; pass < 2; ++pass) ZoomTo(FitZoomPercent(m_layout.size(), ClientSize()), ClientCentre());
}

void CMainView::ZoomTo(int percent, QPoint anchor) {
    percent = ClampZoom(percent);
    if (percent == ZoomPercent()) return;
    // The layout point under the anchor, in fractions of a layout pixel.
    const QPointF under = QPointF(anchor + ScrollPosition()) / m_zoom.factor();
    m_zoom = ViewZoom(percent);
    WriteSetting(kViewZoom, percent);
    UpdateScrollBars();
    const QPointF scroll = under * m_zoom.factor() - QPointF(anchor);
    horizontalScrollBar()->setValue(int(scroll.x()));
    verticalScrollBar()->setValue(int(scroll.y()));
    RefreshToolTips(true);
    RedrawAll();
    if (m_pFrame) m_pFrame->RequestCommandUpdate();
}

void CMainView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y();
    if (steps != 0) {
        // The viewport's events reach here in its own coordinates, like the mouse's.
        const QPoint anchor = event->position().toPoint();
        ZoomTo(steps > 0 ? ZoomInStep(ZoomPercent()) : ZoomOutStep(ZoomPercent()), anchor);
    }
    event->accept();
}
