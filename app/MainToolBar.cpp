#include "app/MainToolBar.h"

#include "app/CommandTexts.h"
#include "base/SettingKeys.h"
#include "res/resource.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QToolButton>
#include <QToolTip>

namespace {

// Toolbar resource 128 in order; 0 is a separator, the placeholder becomes the
// port selector.
constexpr int kToolBarItems[] = {
    ID_FILE_OPEN,
    ID_FILE_SAVE,
    ID_FILE_CLOSE,
    0,
    ID_FILE_PRINT,
    0,
    ID_PORT_PLACEHOLDER,
    0,
    ID_DEVICE_CONNECT,
    ID_DEVICE_LOAD,
    ID_DEVICE_WRITE,
    ID_DEVICE_DISCARD,
    0,
    ID_EDIT_UNDO,
    ID_EDIT_REDO,
    0,
    ID_DEVICE_SYNC_TIME,
    0,
    ID_APP_ABOUT,
};

constexpr int kPortComboWidth = 80;
constexpr int kPortComboDroppedHeight = 150;

// The port selector's dropped list has a fixed height, whatever the style
// would choose; what does not fit scrolls.
class PortSelector : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override {
        QComboBox::showPopup();
        QWidget* popup = view()->window();
        if (popup == window()) return;
        QRect area = popup->geometry();
        // A list opened above the box keeps its bottom edge next to the box.
        if (area.top() < mapToGlobal(QPoint(0, 0)).y())
            area.setTop(area.bottom() + 1 - kPortComboDroppedHeight);
        else
            area.setHeight(kPortComboDroppedHeight);
        popup->setGeometry(area);
    }
};

}  // namespace

CMainToolBar::CMainToolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("MainToolBar"));
    setIconSize(QSize(16, 15));  // the buttons' pictures, as the toolbar resource has them
    setAllowedAreas(Qt::TopToolBarArea);
    setFloatable(false);
    CreatePortSelector();
}

CMainToolBar::~CMainToolBar() = default;

void CMainToolBar::CreatePortSelector() {
    m_wndPortCombo = new PortSelector(this);
    m_wndPortCombo->setObjectName(QStringLiteral("PortCombo"));
    m_wndPortCombo->setProperty("vkxControlId", IDC_PORT_COMBO);
    m_wndPortCombo->setEditable(false);
    m_wndPortCombo->setFixedWidth(kPortComboWidth);
    m_wndPortCombo->setFocusPolicy(Qt::StrongFocus);  // a Tab stop beside the view
    m_wndPortCombo->setMaxVisibleItems(kPortCount);
    m_wndPortCombo->installEventFilter(this);
}

void CMainToolBar::LoadToolBar(const std::function<QAction*(int)>& actionOf) {
    for (int id : kToolBarItems) {
        if (id == 0) {
            addSeparator();
        } else if (id == ID_PORT_PLACEHOLDER) {
            addWidget(m_wndPortCombo);
        } else if (QAction* action = actionOf(id)) {
            addAction(action);
            if (QWidget* button = widgetForAction(action)) button->installEventFilter(this);
        }
    }
}

void CMainToolBar::FillPortSelector() {
    m_wndPortCombo->clear();
    for (int n = 0; n < kPortCount; ++n) {
        m_wndPortCombo->addItem(PortName(n));
#ifndef Q_OS_WIN
        m_wndPortCombo->setItemData(n, PortDevicePath(n), Qt::ToolTipRole);
#endif
    }
    m_wndPortCombo->setCurrentIndex(-1);
}

int CMainToolBar::ControlIdOf(QObject* object) const {
    if (auto* button = qobject_cast<QToolButton*>(object); button && button->defaultAction())
        return button->defaultAction()->property("vkxCommandId").toInt();
    return object->property("vkxControlId").toInt();
}

// Tooltips come from the command's string each time they are asked for, so they
// follow the current language; a command without a tooltip text shows none.
bool CMainToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QToolBar::eventFilter(watched, event);
    const QString text = CommandToolTip(ControlIdOf(watched));
    auto* help = static_cast<QHelpEvent*>(event);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, qobject_cast<QWidget*>(watched));
    return true;
}
