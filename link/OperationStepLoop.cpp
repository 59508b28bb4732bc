#include "link/OperationStepLoop.h"

OperationStepLoop::OperationStepLoop(DeviceCommand command, ConfigImage& image, OperationObserver observer)
    : m_operation(command, image), m_observer(std::move(observer)) {}

void OperationStepLoop::MoveBar(int position) const {
    if (m_observer.progress) m_observer.progress(position, m_operation.ProgressMax());
}

bool OperationStepLoop::End(LinkResult result) {
    m_result = result;
    return false;
}

bool OperationStepLoop::PrepareStep(LinkStep& step) {
    MoveBar(m_operation.step());
    if (m_operation.PrepareStep(step, [this](int position) { MoveBar(position); })) return true;
    m_completed = true;
    return End(m_operation.result());
}

bool OperationStepLoop::StepEnded(LinkResult code) {
    if (code != LINK_OK) return End(code);
    m_anyStepDone = true;
    MoveBar(m_operation.step() + 1);
    const bool finished = m_operation.CompleteStep();
    // Abort is honoured between steps only: the step that was running when it
    // was asked for has done its work, and the operation stops after it.
    if (m_observer.abortRequested && m_observer.abortRequested()) return End(LINK_ERR_ABORTED);
    if (finished) {
        m_completed = true;
        return End(m_operation.result());
    }
    m_operation.NextStep();
    return true;
}
