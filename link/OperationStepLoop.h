// The step loop of a device operation, whoever runs its link steps: the
// operation dialog starts a worker per step and hears back from its report,
// the blocking runner calls the link code in turn. Both walk the operation's
// plan here and get from it the bar positions, the passed steps, when Abort
// counts and how the operation ends, so that the desktop program and
// vkx520ctl cannot drift apart.
#pragma once

#include "link/DeviceOperation.h"

#include <cstddef>

class OperationStepLoop {
public:
    // The operation is the caller's and must outlive the loop.
    // observer.progress gets every bar position (0 .. ProgressMax());
    // observer.abortRequested is asked after each step that went well.
    OperationStepLoop(DeviceOperation& operation, OperationObserver observer);

    int ProgressMax() const { return m_operation.ProgressMax(); }
    unsigned StatusTextId() const { return m_operation.StatusTextId(); }

    // Moves the bar over the steps with nothing to send to the next one that
    // sends, and gives its link operation. False when no step is left: the
    // loop has ended and result() says how.
    bool PrepareStep(LinkStep& step);
    // The prepared step's link operation ended with code. True when another
    // step is to be prepared; false when the loop has ended: on a failed step
    // (result() is its code), on Abort (LINK_ERR_ABORTED) or at the end of
    // the plan (the operation's own result).
    bool StepEnded(LinkResult code);

    // LINK_ERR_ABORTED until the loop has ended.
    LinkResult result() const { return m_result; }
    // The result with the warning (only when the whole plan ran) and the
    // partial-write fact; openFailure is the runner's, filled in by the worker.
    OperationOutcome Outcome(const PortOpenFailure& openFailure = {}) const;

private:
    bool End(LinkResult result);  // the loop ends with result; false
    void MoveBar(int position);

    DeviceOperation& m_operation;
    const OperationObserver m_observer;
    std::size_t m_next = 0;  // the plan's step prepared next, or running
    int m_position = 0;      // where the bar is
    LinkResult m_result = LINK_ERR_ABORTED;
    // The loop ended because the plan did, not on a failed step or on Abort:
    // only then does the operation's checksum warning count.
    bool m_completed = false;
    bool m_anyStepDone = false;
};
