#include "link/PortProbe.h"

#include "link/LinkThread.h"
#include "link/SerialLinkPort.h"
#include "model/ConfigImage.h"

namespace {

class SilentTarget : public LinkNotifyTarget {
public:
    int SendSerialNotify(int, long) override { return 0; }
};

}  // namespace

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
