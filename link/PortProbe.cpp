#include "link/PortProbe.h"

#include "link/LinkThread.h"
#include "link/NetworkPortName.h"
#include "link/SerialLinkPort.h"
#include "model/ConfigImage.h"

#include <QFileInfo>

namespace {

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

class SilentTarget : public LinkNotifyTarget {
public:
    int SendSerialNotify(int, long) override { return 0; }
};

}  // namespace

bool SamePortDevice(const QString& a, const QString& b) { return Canonical(a) == Canonical(b); }

QStringList ProbeCandidates(const QStringList& mapping, const QList<SerialPortRecord>& found) {
    QStringList devices;
    QStringList seen;
    const auto add = [&](const QString& device) {
        if (device.isEmpty() || seen.contains(Canonical(device))) return;
        seen << Canonical(device);
        devices << device;
    };
    for (const QString& device : mapping)
        if (QFileInfo::exists(device) || IsNetworkPortName(device)) add(device);
    for (const SerialPortRecord& port : found) add(port.StoredPath());
    return devices;
}

std::vector<PortProbeResult> ProbePorts(const QStringList& devices, LinkClock& clock, const ProbePortOpener& opener,
                                        const std::function<bool()>& cancelled) {
    std::vector<PortProbeResult> results;
    for (const QString& device : devices) {
        if (cancelled && cancelled()) break;
        PortProbeResult result;
        result.device = device;
        std::unique_ptr<LinkPortFactory> ports = opener ? opener(device) : std::make_unique<SerialPortFactory>(device);
        uint8_t block[kInputTableBlock.length] = {};
        SilentTarget target;
        LinkRequest request{
            &target, 0,           LINK_READ, kInputTableBlock.address, uint32_t(kInputTableBlock.length),
            block,   ports.get(), &clock};
        request.openFailure = &result.openFailure;
        result.code = LinkResult(LinkThreadProc(request));
        results.push_back(result);
    }
    return results;
}
