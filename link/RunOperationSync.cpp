#include "link/OperationStepLoop.h"

namespace {

// The caller's thread is the receiver: progress reports are answered 0, as
// the operation dialog answers them; the final report carries the code.
class DirectTarget : public LinkNotifyTarget {
public:
    int SendSerialNotify(int, long) override { return 0; }
};

}  // namespace

LinkResult RunDeviceOperationSync(DeviceCommand command, int portIndex, ConfigImage& image, const LinkEnvironment& env,
                                  const OperationObserver& observer, bool* checksumWarning, bool* anyStepDone,
                                  PortOpenFailure* openFailure) {
    OperationStepLoop loop(command, image, observer);
    DirectTarget target;
    LinkStep step;
    while (loop.PrepareStep(step)) {
        const LinkRequest request{&target,     portIndex, step.operation, step.address, step.length,
                                  step.buffer, env.ports, env.clock,      openFailure};
        if (!loop.StepEnded(LinkResult(LinkThreadProc(request)))) break;
    }
    if (checksumWarning && loop.completed()) *checksumWarning = loop.checksumWarning();
    if (anyStepDone) *anyStepDone = loop.anyStepDone();
    return loop.result();
}
