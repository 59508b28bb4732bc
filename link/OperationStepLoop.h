// The step loop of a device operation, whoever runs its link steps: the
// operation dialog starts a worker per step and hears back from its report,
// the synchronous driver calls the link code in turn. Both get from here the
// bar positions, the skipped steps, when Abort counts and how the operation
// ends, so that the desktop program and vkx520ctl cannot drift apart.
#pragma once

#include "link/DeviceOperation.h"

class OperationStepLoop {
public:
    // The image is the caller's and must outlive the loop. observer.progress
    // gets every bar position (0 .. ProgressMax()); observer.abortRequested
    // is asked after each step that went well.
    OperationStepLoop(DeviceCommand command, ConfigImage& image, OperationObserver observer);

    int ProgressMax() const { return m_operation.ProgressMax(); }
    unsigned StatusTextId() const { return m_operation.StatusTextId(); }

    // Moves the bar to the current step and chooses its link operation. False
    // when no step is left: the loop has ended and result() says how.
    bool PrepareStep(LinkStep& step);
    // The prepared step's link operation ended with code. True when another
    // step is to be prepared; false when the loop has ended: on a failed step
    // (result() is its code), on Abort (LINK_ERR_ABORTED) or at the end of
    // the operation (its own result).
    bool StepEnded(LinkResult code);

    // LINK_ERR_ABORTED until the loop has ended.
    LinkResult result() const { return m_result; }
    // The loop ended because the operation itself did, not on a failed step
    // or on Abort: only then does the operation's checksum warning count.
    bool completed() const { return m_completed; }
    bool checksumWarning() const { return m_operation.checksumWarning(); }
    // Some step went well: after a failed write the device may hold part of it.
    bool anyStepDone() const { return m_anyStepDone; }

private:
    bool End(LinkResult result);  // the loop ends with result; false
    void MoveBar(int position) const;

    DeviceOperation m_operation;
    const OperationObserver m_observer;
    LinkResult m_result = LINK_ERR_ABORTED;
    bool m_completed = false;
    bool m_anyStepDone = false;
};
