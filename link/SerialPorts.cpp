#include "link/SerialPorts.h"

#include "base/SettingKeys.h"
#include "link/NetworkPortName.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <atomic>

namespace {

constexpr char kByIdFolder[] = "/dev/serial/by-id";

// Natural order, so that ttyUSB2 comes before ttyUSB10: runs of digits
// compare by their value, everything else character by character.
bool NameBefore(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype startA = i, startB = j;
            while (i < a.size() && a[i].isDigit()) ++i;
            while (j < b.size() && b[j].isDigit()) ++j;
            const qulonglong numberA = a.mid(startA, i - startA).toULongLong();
            const qulonglong numberB = b.mid(startB, j - startB).toULongLong();
            if (numberA != numberB) return numberA < numberB;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

void SortByName(QList<SerialPortRecord>& ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const SerialPortRecord& a, const SerialPortRecord& b) {
        return NameBefore(a.device, b.device);
    });
}

class QtPortDiscovery : public PortDiscovery {
public:
    QList<SerialPortRecord> AvailablePorts() override {
        const QFileInfoList links = QDir(QString::fromLatin1(kByIdFolder)).entryInfoList(QDir::System | QDir::Files);
        QList<SerialPortRecord> ports;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
            SerialPortRecord port;
            port.device = info.systemLocation();
            port.description = info.description();
            port.manufacturer = info.manufacturer();
            port.serialNumber = info.serialNumber();
            port.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
            port.vendorId = info.vendorIdentifier();
            port.productId = info.productIdentifier();
            const QString canonical = QFileInfo(port.device).canonicalFilePath();
            for (const QFileInfo& link : links)
                if (link.isSymLink() && link.canonicalFilePath() == canonical) port.byId = link.absoluteFilePath();
            ports.push_back(port);
        }
        return ports;
    }
};

QString StoredDevice(int index) { return AppProfile().GetString(QString::fromLatin1(kPortsSection), PortName(index)); }

bool HasPortsSection() {
    const QString none = QStringLiteral("\x01");
    for (int index = 0; index < kPortCount; ++index)
        if (AppProfile().GetString(QString::fromLatin1(kPortsSection), PortName(index), none) != none) return true;
    return false;
}

}  // namespace

QString SerialPortRecord::VidPid() const {
    if (!hasUsbIds) return {};
    return QStringLiteral("%1:%2").arg(vendorId, 4, 16, QChar(u'0')).arg(productId, 4, 16, QChar(u'0'));
}

QStringList SerialPortRecord::Details() const {
    QStringList details;
    for (const QString& detail : {description, manufacturer, VidPid()})
        if (!detail.isEmpty()) details << detail;
    if (!serialNumber.isEmpty()) details << QStringLiteral("S/N ") + serialNumber;
    return details;
}

QString SerialPortRecord::Summary() const {
    QStringList parts = Details();
    parts.removeDuplicates();
    return parts.join(QStringLiteral(", "));
}

PortDiscovery& SystemPortDiscovery() {
    static QtPortDiscovery discovery;
    return discovery;
}

namespace {
std::atomic<PortDiscovery*> g_discovery{nullptr};
}  // namespace

PortDiscovery& DefaultPortDiscovery() {
    PortDiscovery* discovery = g_discovery.load();
    return discovery ? *discovery : SystemPortDiscovery();
}

void SetDefaultPortDiscovery(PortDiscovery* discovery) { g_discovery = discovery; }

QStringList FirstStartPortMapping(const QList<SerialPortRecord>& found) {
    QList<SerialPortRecord> usb, other;
    for (const SerialPortRecord& port : found) (port.hasUsbIds ? usb : other).push_back(port);
    SortByName(usb);
    SortByName(other);
    QStringList mapping;
    QStringList taken;  // device paths, so that a by-id name and its device count once
    const auto add = [&](const QString& stored, const QString& device) {
        if (mapping.size() < kPortCount && !taken.contains(device)) {
            mapping << stored;
            taken << device;
        }
    };
    for (const SerialPortRecord& port : usb) add(port.StoredPath(), port.device);
    QStringList defaults;
    for (int index = 0; index < kPortCount; ++index) defaults << DefaultPortDevice(index);
    // Built-in ports of the defaults keep their order among the defaults.
    for (const SerialPortRecord& port : other)
        if (!defaults.contains(port.device)) add(port.StoredPath(), port.device);
    for (const QString& device : defaults) add(device, device);
    return mapping;
}

bool EnsurePortMapping(PortDiscovery& discovery) {
#ifdef Q_OS_WIN
    Q_UNUSED(discovery);
    return false;
#else
    if (HasPortsSection()) return false;
    const QStringList mapping = FirstStartPortMapping(discovery.AvailablePorts());
    bool isDefault = true;
    for (int index = 0; index < kPortCount; ++index)
        isDefault = isDefault && mapping[index] == DefaultPortDevice(index);
    return !isDefault && StorePortMapping(mapping);
#endif
}

QStringList PortMappingInUse(const QList<SerialPortRecord>& found) {
#ifdef Q_OS_WIN
    Q_UNUSED(found);
    return CurrentPortMapping();
#else
    return HasPortsSection() ? CurrentPortMapping() : FirstStartPortMapping(found);
#endif
}

bool StorePortMapping(const QStringList& devices) {
    bool ok = true;
    for (int index = 0; index < kPortCount; ++index) {
        const QString device = index < devices.size() ? devices[index].trimmed() : QString();
        const QString value = device.isEmpty() ? DefaultPortDevice(index) : device;
        if (StoredDevice(index) != value)
            ok = AppProfile().WriteString(QString::fromLatin1(kPortsSection), PortName(index), value) && ok;
    }
    return ok;
}

QStringList CurrentPortMapping() {
    QStringList devices;
    for (int index = 0; index < kPortCount; ++index) devices << PortDevicePath(index);
    return devices;
}

const SerialPortRecord* FindPortRecord(const QList<SerialPortRecord>& found, const QString& path) {
    if (path.isEmpty()) return nullptr;
    for (const SerialPortRecord& port : found)
        if (port.device == path || (!port.byId.isEmpty() && port.byId == path)) return &port;
    return nullptr;
}

QString ShortPortName(const QList<SerialPortRecord>& found, const QString& path) {
    if (IsNetworkPortName(path)) {
        const std::optional<NetworkPortAddress> address = ParseNetworkPortName(path);
        return address ? address->HostAndPort() : path.trimmed();
    }
    QString device = path;
    if (const SerialPortRecord* port = FindPortRecord(found, path)) {
        device = port->device;
    } else if (path.startsWith(QLatin1String(kByIdFolder))) {
        // An adapter the system does not list: the device its link leads to, if it is still there.
        const QString target = QFileInfo(path).canonicalFilePath();
        if (!target.isEmpty()) device = target;
    }
    // "ttyUSB0", "pts/7": the name under /dev, else the file's own name.
    const QString dev = QStringLiteral("/dev/");
    return device.startsWith(dev) && !device.startsWith(QLatin1String(kByIdFolder)) ? device.mid(dev.size())
                                                                                    : QFileInfo(device).fileName();
}
