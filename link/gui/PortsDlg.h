// The "Serial ports" dialog: what each of COM1..COM8 stands for, chosen from
// the ports found (shown with description, maker, VID:PID and serial number,
// stored by their stable by-id name where there is one) or typed as a path.
// The list follows ports that come and go while the dialog is open; "Find
// device" probes the ports and marks where a VKX520 answers.
#pragma once

#include "base/SettingKeys.h"
#include "link/PortProbe.h"
#include "link/SerialPorts.h"

#include <QDialog>

#include <atomic>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QThread;
class QTimer;

class PortsDlg : public QDialog {
    Q_OBJECT
public:
    // discovery must outlive the dialog; opener (optional) opens a device
    // for the probe instead of the serial port.
    explicit PortsDlg(PortDiscovery& discovery, QWidget* parent = nullptr, ProbePortOpener opener = {});
    ~PortsDlg() override;  // waits for a running probe

    // The devices shown for COM1..COM8: the current mapping at first.
    void SetMapping(const QStringList& devices);
    // What each entry stands for now (a stored path, or what was typed).
    QStringList Mapping() const;

    // Reads the ports again; every entry keeps its choice.
    void OnRefresh();
    // Probes the ports found and the entries' devices on a worker thread.
    void OnFindDevice();
    bool probing() const { return m_probe != nullptr; }
    // The entries marked as having a VKX520 after the last probe.
    std::vector<int> MarkedEntries() const;
    QString statusText() const;

    QComboBox* Choice(int index) const { return m_choices[std::size_t(index)]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillChoice(int index, const QString& device);
    void OnProbeDone();
    void WatchPorts();

    PortDiscovery& m_discovery;
    ProbePortOpener m_opener;
    QList<SerialPortRecord> m_found;
    QComboBox* m_choices[kPortCount] = {};
    QLabel* m_marks[kPortCount] = {};
    QLabel* m_status = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_ok = nullptr;
    QTimer* m_watch = nullptr;
    QThread* m_probe = nullptr;
    std::atomic<bool> m_cancelProbe{false};
    std::vector<PortProbeResult> m_results;
    bool m_translated = false;
};

// Shows the dialog over parent with the stored mapping; on OK stores the
// new one. True when the mapping was changed.
bool EditPortMapping(QWidget* parent, PortDiscovery& discovery = DefaultPortDiscovery());
