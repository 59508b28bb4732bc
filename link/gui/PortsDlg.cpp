#include "link/gui/PortsDlg.h"

#include "lang/ControlId.h"
#include "lang/UiText.h"
#include "lang/gui/TranslateUi.h"
#include "link/NetworkPortName.h"
#include "res/resource.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kWatchIntervalMs = 1000;  // how often the dialog looks for ports that came or went
constexpr int kChoiceMinWidth = 360;

// The same device, whether named by its by-id link or its own path.
QStringList Devices(const QList<SerialPortRecord>& ports) {
    QStringList devices;
    for (const SerialPortRecord& port : ports) devices << port.device;
    return devices;
}

QString ChoiceText(const SerialPortRecord& port) {
    const QString summary = port.Summary();
    return summary.isEmpty() ? port.device : port.device + QStringLiteral("  ") + summary;
}

QString ChoiceToolTip(const SerialPortRecord& port) {
    QStringList lines{port.Summary()};
    lines << port.device;
    if (!port.byId.isEmpty()) lines << port.byId;
    lines.removeAll(QString());
    return lines.join(u'\n');
}

QPushButton* Button(const char* text, int id, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    SetControlId(button, id);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

PortsDlg::PortsDlg(PortDiscovery& discovery, QWidget* parent, ProbePortOpener opener)
    : QDialog(parent), m_discovery(discovery), m_opener(std::move(opener)) {
    setObjectName(QStringLiteral("SerialPortsDlg"));
    setWindowTitle(QStringLiteral("Serial ports"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* outer = new QVBoxLayout(this);
    auto* hint = new QLabel(
        QStringLiteral("Each entry of the port selector stands for the port chosen here. Type a path for a port "
                       "that is not listed, or tcp://HOST:PORT or rfc2217://HOST:PORT for a port on a serial "
                       "device server."),
        this);
    SetControlId(hint, IDC_PORTS_HINT);
    hint->setWordWrap(true);
    outer->addWidget(hint);
    auto* grid = new QGridLayout;
    for (int n = 0; n < kPortCount; ++n) {
        auto* label = new QLabel(PortName(n), this);
        auto* choice = new QComboBox(this);
        choice->setObjectName(QStringLiteral("PortChoice%1").arg(n + 1));
        SetControlId(choice, IDC_PORTS_CHOICE_FIRST + n);
        choice->setEditable(true);
        choice->setInsertPolicy(QComboBox::NoInsert);
        choice->setMinimumWidth(kChoiceMinWidth);
        choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        label->setBuddy(choice);
        m_choices[n] = choice;
        m_marks[n] = new QLabel(this);
        grid->addWidget(label, n, 0);
        grid->addWidget(choice, n, 1);
        grid->addWidget(m_marks[n], n, 2);
    }
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("PortsStatus"));
    outer->addWidget(m_status);
    auto* buttons = new QHBoxLayout;
    m_refresh = Button("&Refresh", IDC_PORTS_REFRESH, this);
    m_find = Button("&Find device", IDC_PORTS_FIND, this);
    m_ok = Button("OK", IDOK, this);
    m_ok->setDefault(true);
    QPushButton* cancel = Button("Cancel", IDCANCEL, this);
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_find);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(m_refresh, &QPushButton::clicked, this, &PortsDlg::OnRefresh);
    connect(m_find, &QPushButton::clicked, this, &PortsDlg::OnFindDevice);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_found = m_discovery.AvailablePorts();
    SetMapping(CurrentPortMapping());
    m_watch = new QTimer(this);
    m_watch->setInterval(kWatchIntervalMs);
    connect(m_watch, &QTimer::timeout, this, &PortsDlg::WatchPorts);
    m_watch->start();
}

PortsDlg::~PortsDlg() {
    if (!m_probe) return;
    m_cancelProbe = true;  // the port being probed still ends its one read
    m_probe->wait();
    delete m_probe;
}

void PortsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_translated) return;
    m_translated = true;
    TranslateDialog(IDD_SERIAL_PORTS, this);
}

void PortsDlg::FillChoice(int index, const QString& device) {
    QComboBox* choice = m_choices[index];
    const QSignalBlocker blocker(choice);
    choice->clear();
    int current = -1;
    for (const SerialPortRecord& port : m_found) {
        choice->addItem(ChoiceText(port), port.StoredPath());
        choice->setItemData(choice->count() - 1, ChoiceToolTip(port), Qt::ToolTipRole);
        if (!device.isEmpty() && (device == port.device || device == port.byId)) current = choice->count() - 1;
    }
    if (current < 0 && !device.isEmpty()) {
        // A choice of its own for a device the system does not list (a
        // pseudo-terminal, an adapter that is unplugged now).
        choice->addItem(device, device);
        QString tip = device;
        if (!QFileInfo::exists(device) && !IsNetworkPortName(device)) FormatUiString(tip, IDS_PORTS_ABSENT, {device});
        choice->setItemData(choice->count() - 1, tip, Qt::ToolTipRole);
        current = choice->count() - 1;
    }
    choice->setCurrentIndex(current);
    choice->setToolTip(current >= 0 ? choice->itemData(current, Qt::ToolTipRole).toString() : QString());
}

void PortsDlg::SetMapping(const QStringList& devices) {
    for (int n = 0; n < kPortCount; ++n) FillChoice(n, n < devices.size() ? devices[n] : QString());
    if (m_found.isEmpty()) m_status->setText(LoadUiString(IDS_PORTS_NONE));
}

QStringList PortsDlg::Mapping() const {
    QStringList devices;
    for (const QComboBox* choice : m_choices) {
        const int index = choice->currentIndex();
        const QString text = choice->currentText().trimmed();
        devices << (index >= 0 && choice->itemText(index) == choice->currentText() ? choice->itemData(index).toString()
                                                                                   : text);
    }
    return devices;
}

void PortsDlg::OnRefresh() {
    const QStringList mapping = Mapping();
    m_found = m_discovery.AvailablePorts();
    m_status->clear();
    SetMapping(mapping);
}

void PortsDlg::WatchPorts() {
    if (Devices(m_discovery.AvailablePorts()) != Devices(m_found)) OnRefresh();
}

void PortsDlg::OnFindDevice() {
    if (m_probe) return;
    const QStringList devices = ProbeCandidates(Mapping(), m_found);
    for (QLabel* mark : m_marks) mark->clear();
    m_status->setText(LoadUiString(IDS_PORTS_SEARCHING));
    for (QPushButton* button : {m_refresh, m_find, m_ok}) button->setEnabled(false);
    m_results.clear();
    m_cancelProbe = false;
    m_probe = QThread::create([this, devices] {
        m_results = ProbePorts(devices, SystemLinkClock(), m_opener, [this] { return m_cancelProbe.load(); });
    });
    connect(m_probe, &QThread::finished, this, &PortsDlg::OnProbeDone);
    m_probe->start();
}

void PortsDlg::OnProbeDone() {
    m_probe->wait();
    delete m_probe;
    m_probe = nullptr;
    for (QPushButton* button : {m_refresh, m_find, m_ok}) button->setEnabled(true);
    const QStringList mapping = Mapping();
    QStringList where;
    for (int n = 0; n < kPortCount; ++n) {
        const bool answered = std::any_of(m_results.begin(), m_results.end(), [&](const PortProbeResult& result) {
            return result.answered() && SamePortDevice(result.device, mapping[n]);
        });
        if (!answered) continue;
        m_marks[n]->setText(LoadUiString(IDS_PORTS_DEVICE_MARK));
        where << PortName(n);
    }
    // A port that answered but no entry stands for yet is named by its path.
    for (const PortProbeResult& result : m_results) {
        const bool mapped = std::any_of(mapping.begin(), mapping.end(),
                                        [&](const QString& device) { return SamePortDevice(device, result.device); });
        if (result.answered() && !mapped) where << result.device;
    }
    QString status;
    if (where.isEmpty())
        status = LoadUiString(IDS_PORTS_NOT_FOUND);
    else
        FormatUiString(status, IDS_PORTS_FOUND_ON, {where.join(QStringLiteral(", "))});
    m_status->setText(status);
}

std::vector<int> PortsDlg::MarkedEntries() const {
    std::vector<int> entries;
    for (int n = 0; n < kPortCount; ++n)
        if (!m_marks[n]->text().isEmpty()) entries.push_back(n);
    return entries;
}

QString PortsDlg::statusText() const { return m_status->text(); }

bool EditPortMapping(QWidget* parent, PortDiscovery& discovery) {
    PortsDlg dialog(discovery, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList before = CurrentPortMapping();
    const QStringList after = dialog.Mapping();
    if (after == before) return false;
    StorePortMapping(after);
    return true;
}
