// Device operations: what one user command does to the device, as a fixed
// sequence of steps, each one link operation run by a worker. The step loop
// (link/OperationStepLoop.h) drives them for the operation dialog and for the
// command-line tool alike.
#pragma once

#include "link/LinkThread.h"
#include "model/ConfigImage.h"

#include <functional>

enum DeviceCommand : int {
    OPER_READ_CONFIG = 1,
    OPER_WRITE_CONFIG = 2,
    OPER_RESET = 3,
    OPER_SET_TIME = 4,
    OPER_READ_MODULE_DATA = 5,
};

// The link operation one step runs.
struct LinkStep {
    int operation = LINK_NOP;
    uint8_t* buffer = nullptr;
    uint32_t length = 0;
    uint32_t address = 0;
};

// The message of a failed operation: string 21108 + code for the link's own
// codes, a string of its own when no worker could be started.
unsigned LinkErrorTextId(LinkResult code);
// Shows that message as an error, with a line under it where more is known:
// why a port would not open, or, for a write that failed after some of its
// steps went well, that the device may hold part of the new configuration and
// that the backup taken at Connect can be written back.
void ShowOperationFailure(DeviceCommand command, LinkResult result, bool anyStepDone,
                          const PortOpenFailure& openFailure = {});

class DeviceOperation {
public:
    // The image is the caller's and must outlive the operation.
    DeviceOperation(DeviceCommand command, ConfigImage& image);

    DeviceCommand command() const { return m_command; }
    int step() const { return m_step; }
    int ProgressMax() const;  // progress range is 0 .. ProgressMax()
    unsigned StatusTextId() const;

    // Chooses the current step's link operation. Write steps with nothing to
    // send are skipped first (moveBar gets each step number skipped to); a
    // module data read moves on to the next slot of audio kind 2. False when
    // no step is left: the operation is then finished and result() holds why.
    bool PrepareStep(LinkStep& step, const std::function<void(int)>& moveBar);
    // The prepared step reported LINK_OK. True when the operation is now
    // finished (result() is LINK_OK, or LINK_ERR_DEVICE for bad module tables).
    bool CompleteStep();
    void NextStep() { ++m_step; }

    LinkResult result() const { return m_result; }
    bool checksumWarning() const { return m_checksumWarning; }

    // The audio bytes a slot moves: its input count, limited to the 8 places
    // a slot has, so that no count can move more than the slot's audio row.
    static uint32_t AudioBytesOfSlot(const ConfigImage& image, int slot);

private:
    LinkStep ReadConfigStep() const;
    bool PrepareWriteStep(LinkStep& step, const std::function<void(int)>& moveBar);
    bool WriteStepHasWork(int step) const;
    LinkStep WriteConfigStep(int step);
    bool SeekModuleDataSlot();
    LinkStep ModuleDataStep();
    bool CompleteReadConfig();
    bool CompleteModuleData();
    bool Finish(LinkResult result);      // the operation ends with result; true
    bool NoStepLeft(LinkResult result);  // the operation ends with result; false

    const DeviceCommand m_command;
    ConfigImage& m_image;
    int m_step = 0;
    LinkResult m_result = LINK_ERR_ABORTED;
    bool m_checksumWarning = false;
    uint8_t m_scratch[64] = {};  // module command payloads; alive while a worker runs
};

// Runs a device operation on the calling thread, with the same step loop and
// link code as the operation dialog: one LinkThreadProc per step. progress gets
// the position the dialog's bar would show (0 .. maximum); abortRequested is
// asked between steps. Returns the LinkResult; checksumWarning (optional) is
// set when a read replaced bad link tables by their defaults. The calling
// thread must suit LinkThreadProc (see there).
struct OperationObserver {
    std::function<void(int position, int maximum)> progress;
    std::function<bool()> abortRequested;
};
// anyStepDone (optional) is set when some step went well; openFailure
// (optional) receives why the port did not open.
LinkResult RunDeviceOperationSync(DeviceCommand command, int portIndex, ConfigImage& image, const LinkEnvironment& env,
                                  const OperationObserver& observer = {}, bool* checksumWarning = nullptr,
                                  bool* anyStepDone = nullptr, PortOpenFailure* openFailure = nullptr);
