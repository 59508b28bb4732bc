// CMainView: creation, layout and scrolling, painting, the view options,
// tooltips and the change notice.
#include "view/MainView.h"

#include "base/SettingKeys.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/ViewAccessible.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QProxyStyle>
#include <QScrollBar>
#include <QToolTip>

namespace {

constexpr int kToolTipDelayMs = 200;

// Tooltips over the drawing come up quicker than the platform's default.
class QuickToolTipStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return kToolTipDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

CMainView::CMainView(FrameHost* frame, CMainDoc* doc, QWidget* parent, std::unique_ptr<CSkin> skin)
    : QAbstractScrollArea(parent),
      m_pFrame(frame),
      m_pDoc(doc),
      m_skinHandedOver(skin != nullptr),
      m_skinStore(m_skinHandedOver ? std::move(skin) : std::make_unique<CSkin>()),
      m_skin(*m_skinStore) {
    setObjectName(QStringLiteral("MainView"));
    OnCreate();
    setFocusPolicy(Qt::StrongFocus);
    InstallViewAccessibility();
    SetUpUndo();
    // Tooltip texts are fetched when the areas are built: build them again
    // in the new language.
    if (m_pFrame) m_pFrame->ConnectLanguageChanged(this, [this] { RefreshToolTips(true); });
}

CMainView::~CMainView() = default;

CommandBindings CMainView::Bindings() {
    return {
        {ID_VIEW_TOOLTIPS, [this] { OnToggleToolTips(); }, [this](CmdUI& ui) { ui.SetCheck(m_toolTips.Shown()); }},
        {ID_VIEW_MESSAGES, [this] { OnToggleMessages(); }, [this](CmdUI& ui) { ui.SetCheck(m_showMessages); }},
        {ID_EDIT_UNDO, [this] { OnEditUndo(); }, [this](CmdUI& ui) { ui.Enable(m_undo.CanUndo()); }},
        {ID_EDIT_REDO, [this] { OnEditRedo(); }, [this](CmdUI& ui) { ui.Enable(m_undo.CanRedo()); }},
        {ID_VIEW_ZOOM_IN, [this] { OnZoomIn(); }, [this](CmdUI& ui) { ui.Enable(ZoomPercent() < kZoomMaxPercent); }},
        {ID_VIEW_ZOOM_OUT, [this] { OnZoomOut(); }, [this](CmdUI& ui) { ui.Enable(ZoomPercent() > kZoomMinPercent); }},
        {ID_VIEW_ZOOM_RESET, [this] { OnZoomReset(); }, {}},
        {ID_VIEW_ZOOM_FIT, [this] { OnZoomFit(); }, {}},
    };
}

void CMainView::OnCreate() {
    // Painting erases the background itself, outside the pictures only.
    viewport()->setAutoFillBackground(false);
    auto* style = new QuickToolTipStyle;
    style->setParent(this);
    viewport()->setStyle(style);
    // Moves without a button end a drag whose button was released elsewhere,
    // and choose the cursor.
    viewport()->setMouseTracking(true);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, bar](int action) { PageByTheLayout(bar, action); });

    m_showMessages = ReadSetting(kViewMessages) != 0;
    m_zoom = ViewZoom(ReadSetting(kViewZoom));
    if (!m_skinHandedOver) m_skin.LoadSkin();
    ReportOpenErrors(m_skin.missingPictures());
}

void CMainView::OnInitialUpdate() { ShowNewConfiguration(); }

void CMainView::ShowNewConfiguration() {
    BuildLayout();
    ResetHistory();
}

// --- layout and scrolling ---------------------------------------------------------

void CMainView::BuildLayout() {
    m_mouse.Reset();
    if (m_pFrame) m_pFrame->OnUpdateFrameTitle();
    ShowWarnings(m_layout.BuildLayout(m_skin, *m_pDoc));
    UpdateScrollBars();
    RefreshToolTips(true);
    RedrawAll();
}

void CMainView::RedrawAll() { viewport()->update(); }

PaintSelection CMainView::Selection() const {
    const SubItemRef selected = m_mouse.Selection();
    const SubItemRef target = m_mouse.DropTarget();
    return {selected.item, selected.sub, target.item, target.sub};
}

QPoint CMainView::ScrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

QSize CMainView::ClientSize() const { return viewport()->size(); }

void CMainView::UpdateScrollBars() {
    const QSize total = m_zoom.ToView(m_layout.size());
    const QSize client = ClientSize();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, total.height() - client.height()));
    // Qt sizes the thumb by the page step, so it stays the client's share;
    // paging itself moves by LayoutPage (PageByTheLayout).
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    const QSize page = LayoutPage();
    horizontalScrollBar()->setSingleStep(std::max(1, page.width() / 10));
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 10));
}

// The scrolling view's default steps: a page is a tenth of the layout, a line
// a tenth of a page, whatever the window's size.
QSize CMainView::LayoutPage() const {
    const QSize total = m_zoom.ToView(m_layout.size());
    return {std::max(1, total.width() / 10), std::max(1, total.height() / 10)};
}

// Called as a scroll bar pages (a click beside the thumb, Page Up or Down),
// before the new position is taken: the page is the layout's, not the client.
void CMainView::PageByTheLayout(QScrollBar* bar, int action) {
    const bool forward = action == QAbstractSlider::SliderPageStepAdd;
    if (!forward && action != QAbstractSlider::SliderPageStepSub) return;
    const QSize page = LayoutPage();
    const int step = bar->orientation() == Qt::Horizontal ? page.width() : page.height();
    bar->setSliderPosition(forward ? bar->value() + step : bar->value() - step);
}

void CMainView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CMainView::scrollContentsBy(int, int) { RedrawAll(); }

void CMainView::paintEvent(QPaintEvent* event) {
    RefreshToolTips(false);
    const QPoint scroll = ScrollPosition();
    QPainter painter(viewport());
    painter.translate(-scroll);
    QRect clip = event->rect().translated(scroll);
    if (!m_zoom.IsIdentity()) {
        painter.scale(m_zoom.factor(), m_zoom.factor());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom.percent() < 100);
        clip = m_zoom.ViewToLayout(clip);
    }
    const QSize client = LayoutClientSize();
    EraseBackground(painter, m_layout, client, clip);
    PaintConfiguration(painter, m_layout, m_skin, *m_pDoc, client, clip, Selection(), true);
    m_keyboard.PaintFocusMark(painter);
}

// --- options, notice, tooltips ---------------------------------------------------------

void CMainView::OnToggleToolTips() {
    m_toolTips.Toggle();
    RefreshToolTips(true);
    if (m_pFrame) m_pFrame->RequestCommandUpdate();  // the check mark
}

void CMainView::OnToggleMessages() {
    m_showMessages = !m_showMessages;
    WriteSetting(kViewMessages, m_showMessages ? 1 : 0);
    if (m_pFrame) m_pFrame->RequestCommandUpdate();
}

void CMainView::ShowChangeNotice() {
    if (!m_pDoc->deviceBound() || !m_pDoc->configModified() || !m_showMessages || m_noticeShown) return;
    m_noticeShown = true;
    UiMessageBox(IDS_CHANGE_NOTICE, MB_OK | MB_ICONINFORMATION);
}

void CMainView::RefreshToolTips(bool force) {
    if (m_toolTips.Refresh(force, m_layout, *m_pDoc, ClientSize(), ScrollPosition(), m_zoom)) QToolTip::hideText();
}

bool CMainView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const ToolArea* area = m_toolTips.At(help->pos());
    if (area)
        QToolTip::showText(help->globalPos(), ToolTipDisplayText(area->text), viewport(), area->rect);
    else
        QToolTip::hideText();
    return true;
}
