#include "link/DeviceOperation.h"

namespace {

// The caller's thread is the receiver: progress reports are answered 0, as
// the operation dialog answers them; the final report carries the code.
class DirectTarget : public LinkNotifyTarget {
public:
    int SendSerialNotify(int, long) override { return 0; }
};

}  // namespace

int RunDeviceOperationSync(int command, int portIndex, ConfigImage& image, const LinkEnvironment& env,
                           const OperationObserver& observer, bool* checksumWarning) {
    DeviceOperation operation(command, image);
    const int maximum = operation.ProgressMax();
    const auto moveBar = [&](int position) {
        if (observer.progress) observer.progress(position, maximum);
    };
    DirectTarget target;
    for (;;) {
        moveBar(operation.step());
        LinkStep step;
        if (!operation.PrepareStep(step, moveBar)) break;
        const LinkRequest request{&target,   portIndex,    step.operation, step.address,
                                  step.length, step.buffer, env.ports,      env.clock};
        const int code = LinkThreadProc(request);
        if (code != LINK_OK) return code;
        moveBar(operation.step() + 1);
        const bool finished = operation.CompleteStep();
        if (observer.abortRequested && observer.abortRequested()) return LINK_ERR_ABORTED;
        if (finished) break;
        operation.NextStep();
    }
    if (checksumWarning) *checksumWarning = operation.checksumWarning();
    return operation.result();
}
