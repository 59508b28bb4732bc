#include "link/OperationStepLoop.h"

namespace {

// The caller's thread is the receiver: progress reports are answered 0, as
// the operation dialog answers them; the final report carries the code.
class DirectTarget : public LinkNotifyTarget {
public:
    int SendSerialNotify(int, long) override { return 0; }
};

}  // namespace

BlockingOperationRunner::BlockingOperationRunner(int portIndex, const LinkEnvironment& env, OperationObserver observer)
    : m_port(portIndex), m_env(env), m_observer(std::move(observer)) {}

OperationOutcome BlockingOperationRunner::Run(DeviceOperation& operation) {
    OperationStepLoop loop(operation, m_observer);
    DirectTarget target;
    PortOpenFailure openFailure;
    LinkStep step;
    while (loop.PrepareStep(step)) {
        const LinkRequest request{&target,     m_port,      step.operation, step.address, step.length,
                                  step.buffer, m_env.ports, m_env.clock,    &openFailure};
        if (!loop.StepEnded(LinkResult(LinkThreadProc(request)))) break;
    }
    return loop.Outcome(openFailure);
}

LinkResult RunDeviceOperationSync(DeviceCommand command, int portIndex, ConfigImage& image, const LinkEnvironment& env,
                                  const OperationObserver& observer, bool* checksumWarning,
                                  PortOpenFailure* openFailure) {
    BlockingOperationRunner runner(portIndex, env, observer);
    const OperationOutcome outcome = RunOperationOn(runner, command, image);
    if (checksumWarning) *checksumWarning = outcome.checksumWarning;
    if (openFailure) *openFailure = outcome.openFailure;
    return outcome.result;
}
