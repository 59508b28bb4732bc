// CMainView: creation and destruction, layout and scrolling, painting, the
// timer with the busy period, the view options, tooltips and the change notice.
#include "view/MainView.h"

#include "base/SettingKeys.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "skin/SkinReadAhead.h"
#include "view/ViewDialogs.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPrinter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <chrono>

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

uint32_t SystemTicks() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

CMainView::CMainView(FrameHost* frame, CMainDoc* doc, QWidget* parent, std::unique_ptr<CSkin> skin)
    : QAbstractScrollArea(parent),
      m_pFrame(frame),
      m_pDoc(doc),
      m_skinHandedOver(skin != nullptr),
      m_skinStore(m_skinHandedOver ? std::move(skin) : std::make_unique<CSkin>()),
      m_skin(*m_skinStore),
      m_ticks(SystemTicks) {
    setObjectName(QStringLiteral("MainView"));
    SetDialogs(nullptr);
    OnCreate();
    SetUpKeyboard();
    RegisterCommands();
    SetUpUndo();
    // Tooltip texts are fetched when the areas are built: build them again
    // in the new language.
    if (m_pFrame) m_pFrame->ConnectLanguageChanged(this, [this] { RefreshToolTips(true); });
}

CMainView::~CMainView() { OnDestroy(); }

CMainView::ViewFactory CMainView::Factory() {
    auto skin = std::make_shared<SkinReadAhead>(DefaultSkinPath(), CSkin::SkinPictures::Load);
    return [skin](FrameHost& frame, CMainDoc& doc) -> QWidget* {
        auto* view = new CMainView(&frame, &doc, nullptr, skin->Take());
        view->OnInitialUpdate();
        return view;
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
    SetEditDialogRunner(nullptr);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, bar](int action) { PageByTheLayout(bar, action); });

    m_showToolTips = ReadSetting(kViewToolTips) != 0;
    m_showMessages = ReadSetting(kViewMessages) != 0;
    m_verifyWrite = ReadSetting(kViewVerifyWrite) != 0;
    m_zoom = ViewZoom(ReadSetting(kViewZoom));
    m_port = ReadSetting(kConnectionPort);
    if (!m_skinHandedOver) m_skin.LoadSkin();
    ReportOpenErrors(m_skin.missingPictures());

    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &CMainView::OnTimer);
    m_timer->start(kViewTimerMs);
    m_timerId = m_timer->timerId();
}

void CMainView::OnInitialUpdate() {
    if (!m_portShown && m_pFrame) {
        m_pFrame->SetPortSelection(m_port);
        m_portShown = true;
    }
    BuildLayout();
    ResetHistory();
}

void CMainView::OnDestroy() {
    if (m_destroyed) return;
    m_destroyed = true;
    if (m_timerId != 0) m_timer->stop();
    m_timerId = 0;
    // The port of the last Connect (or the one read at start), not whatever
    // the selector shows now.
    WriteSetting(kConnectionPort, m_port);
}

void CMainView::SetTickSource(TickSource ticks) { m_ticks = ticks ? std::move(ticks) : TickSource(SystemTicks); }

void CMainView::SetDialogs(ViewDialogs* dialogs) {
    if (!dialogs && !m_qtDialogs) m_qtDialogs = std::make_unique<QtViewDialogs>();
    m_dialogs = dialogs ? dialogs : m_qtDialogs.get();
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
    PaintFocusMark(painter);
}

// --- timer and busy period -----------------------------------------------------------

void CMainView::StartBusyPeriod(uint32_t periodMs) {
    m_busySince = m_ticks();
    m_busyPeriod = periodMs;
    m_deviceReady = false;
    DeviceStateChanged();
}

void CMainView::OnTimer() {
    if (m_deviceReady) return;
    // The difference is taken as a distance, so a tick count that wraps
    // during the period still ends it.
    uint32_t elapsed = m_ticks() - m_busySince;
    if (elapsed > 0x80000000u) elapsed = 0u - elapsed;
    if (elapsed >= m_busyPeriod) {
        m_deviceReady = true;
        m_busyPeriod = 0;
        DeviceStateChanged();
    }
    // Not under another window's modal loop (the write's own message may
    // still be open): the read-back then waits for the next tick.
    if (m_deviceReady && m_verifyPending && !QApplication::activeModalWidget()) VerifyWritten();
}

// --- options, notice, tooltips ---------------------------------------------------------

void CMainView::OnToggleToolTips() {
    m_showToolTips = !m_showToolTips;
    WriteSetting(kViewToolTips, m_showToolTips ? 1 : 0);
    RefreshToolTips(true);
    if (m_pFrame) m_pFrame->RequestCommandUpdate();  // the check mark
}

void CMainView::OnToggleVerifyWrite() {
    m_verifyWrite = !m_verifyWrite;
    WriteSetting(kViewVerifyWrite, m_verifyWrite ? 1 : 0);
    if (!m_verifyWrite) m_verifyPending = false;
    if (m_pFrame) m_pFrame->RequestCommandUpdate();
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
    const QSize client = ClientSize();
    const QPoint scroll = ScrollPosition();
    if (!force && client == m_lastClient && scroll == m_lastScroll) return;
    m_lastClient = client;
    m_lastScroll = scroll;
    m_toolTipsActive = m_showToolTips;
    m_toolAreas.clear();
    QToolTip::hideText();
    if (m_toolTipsActive) m_toolAreas = BuildToolAreas(m_layout, *m_pDoc, client, scroll, m_zoom);
}

QString CMainView::ToolTipAt(QPoint clientPoint) const {
    if (!m_toolTipsActive) return {};
    const ToolArea* area = FindToolArea(m_toolAreas, clientPoint);
    return area ? ToolTipDisplayText(area->text) : QString();
}

bool CMainView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const ToolArea* area = m_toolTipsActive ? FindToolArea(m_toolAreas, help->pos()) : nullptr;
    if (area)
        QToolTip::showText(help->globalPos(), ToolTipDisplayText(area->text), viewport(), area->rect);
    else
        QToolTip::hideText();
    return true;
}
