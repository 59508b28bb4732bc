#include "app/MainToolBar.h"

#include "app/CommandTexts.h"
#include "base/SettingKeys.h"
#include "lang/ControlId.h"
#include "link/SerialPorts.h"
#include "res/resource.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>

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
    ID_DEVICE_PORTS,
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

// Where an entry keeps the short name of what it stands for ("ttyUSB0").
constexpr int kPortShortNameRole = Qt::UserRole + 1;
constexpr int kPortShortNameGap = 12;  // pixels between "COM1" and the short name

// The dropped list shows each entry with what it stands for, "COM1  ttyUSB0";
// the entry itself, and so the closed box, stays "COM1".
class PortEntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString shortName = index.data(kPortShortNameRole).toString();
        if (!shortName.isEmpty()) option->text += QStringLiteral("  ") + shortName;
    }
};

// The port selector's dropped list has a fixed height, whatever the style
// would choose; what does not fit scrolls. It is as wide as its entries need.
class PortSelector : public QComboBox {
public:
    // beforePopup runs each time the list is about to drop.
    PortSelector(QWidget* parent, std::function<void()> beforePopup)
        : QComboBox(parent), m_beforePopup(std::move(beforePopup)) {
        view()->setItemDelegate(new PortEntryDelegate(this));
    }
    void showPopup() override {
        m_beforePopup();
        QComboBox::showPopup();
        QWidget* popup = view()->window();
        if (popup == window()) return;
        QRect area = popup->geometry();
        area.setWidth(std::max(area.width(), ListWidth() + (area.width() - view()->viewport()->width())));
        // A list opened above the box keeps its bottom edge next to the box.
        if (area.top() < mapToGlobal(QPoint(0, 0)).y())
            area.setTop(area.bottom() + 1 - kPortComboDroppedHeight);
        else
            area.setHeight(kPortComboDroppedHeight);
        popup->setGeometry(area);
    }

private:
    int ListWidth() const {
        int widest = 0;
        const QFontMetrics metrics(view()->font());
        for (int n = 0; n < count(); ++n) {
            const QString shortName = itemData(n, kPortShortNameRole).toString();
            widest = std::max(widest, metrics.horizontalAdvance(itemText(n) + QStringLiteral("  ") + shortName));
        }
        return widest + kPortShortNameGap;
    }

    std::function<void()> m_beforePopup;
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
    m_wndPortCombo = new PortSelector(this, [this] { FillPortDetails(); });
    m_wndPortCombo->setObjectName(QStringLiteral("PortCombo"));
    SetControlId(m_wndPortCombo, IDC_PORT_COMBO);
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
    for (int n = 0; n < kPortCount; ++n) m_wndPortCombo->addItem(PortName(n));
    m_wndPortCombo->setCurrentIndex(-1);
}

// Looking for the system's ports walks the device tree, which takes longer
// than drawing the whole window: it is done only when the list is shown, so
// that it also tells what is plugged in at that moment.
void CMainToolBar::FillPortDetails() {
#ifndef Q_OS_WIN
    const QList<SerialPortRecord> found = DefaultPortDiscovery().AvailablePorts();
    for (int n = 0; n < kPortCount && n < m_wndPortCombo->count(); ++n) {
        const QString device = PortDevicePath(n);
        const SerialPortRecord* port = FindPortRecord(found, device);
        const QString summary = port ? port->Summary() : QString();
        m_wndPortCombo->setItemData(n, ShortPortName(found, device), kPortShortNameRole);
        m_wndPortCombo->setItemData(n, summary.isEmpty() ? device : summary + u'\n' + device, Qt::ToolTipRole);
    }
#endif
}

int CMainToolBar::ControlIdOf(QObject* object) const {
    if (auto* button = qobject_cast<QToolButton*>(object); button && button->defaultAction())
        return CommandId(button->defaultAction());
    return ControlId(object);
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
