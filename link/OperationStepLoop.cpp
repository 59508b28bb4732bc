#include "link/OperationStepLoop.h"

OperationStepLoop::OperationStepLoop(DeviceOperation& operation, OperationObserver observer)
    : m_operation(operation), m_observer(std::move(observer)) {}

void OperationStepLoop::MoveBar(int position) {
    m_position = position;
    if (m_observer.progress) m_observer.progress(position, m_operation.ProgressMax());
}

bool OperationStepLoop::End(LinkResult result) {
    m_result = result;
    return false;
}

OperationOutcome OperationStepLoop::Outcome(const PortOpenFailure& openFailure) const {
    return {m_result, m_completed && m_operation.checksumWarning(), m_anyStepDone, openFailure};
}

bool OperationStepLoop::PrepareStep(LinkStep& step) {
    std::vector<OperationStep>& plan = m_operation.plan();
    MoveBar(m_position);
    for (; m_next < plan.size() && !plan[m_next].sends(); ++m_next) MoveBar(plan[m_next].progress);
    if (m_next < plan.size()) {
        step = plan[m_next].link();
        return true;
    }
    m_completed = true;
    return End(m_operation.Finish());
}

bool OperationStepLoop::StepEnded(LinkResult code) {
    if (code != LINK_OK) return End(code);
    m_anyStepDone = true;
    const OperationStep& done = m_operation.plan()[m_next];
    MoveBar(done.progress);
    m_operation.StepDone(done);
    const bool finished = ++m_next == m_operation.plan().size();
    const LinkResult result = finished ? m_operation.Finish() : LINK_OK;
    // Abort is honoured between steps only: the step that was running when it
    // was asked for has done its work, and the operation stops after it.
    if (m_observer.abortRequested && m_observer.abortRequested()) return End(LINK_ERR_ABORTED);
    if (finished) {
        m_completed = true;
        return End(result);
    }
    return true;
}
