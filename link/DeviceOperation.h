// Device operations: what one user command does to the device, as a plan of
// steps built up front, each one link operation run by a worker. The step
// loop (link/OperationStepLoop.h) walks the plan for the operation dialog and
// for the command-line tool alike; neither shows anything itself: what went
// wrong comes back as an OperationOutcome for the caller to tell.
#pragma once

#include "lang/UiText.h"
#include "link/LinkThread.h"
#include "link/PortOpenFailure.h"
#include "model/ConfigImage.h"

#include <array>
#include <functional>
#include <vector>

enum DeviceCommand : int {
    OPER_READ_CONFIG = 1,
    OPER_WRITE_CONFIG = 2,
    OPER_RESET = 3,
    OPER_SET_TIME = 4,
    OPER_READ_MODULE_DATA = 5,
};

// The link operation one step runs, as a worker takes it.
struct LinkStep {
    int operation = LINK_NOP;
    uint8_t* buffer = nullptr;
    uint32_t length = 0;
    uint32_t address = 0;
};

// One step of an operation's plan.
struct OperationStep {
    int number = 0;             // the step's number in its operation
    int progress = 0;           // the bar's position once the step has gone well
    int operation = LINK_NOP;   // LINK_NOP: nothing to send; the bar only passes the step
    uint32_t address = 0;       // device address of a memory step
    uint32_t length = 0;        // bytes moved
    uint8_t* memory = nullptr;  // a memory step's bytes in the operation's image
    // A module command's register and payload; a module read's reply comes here.
    std::array<uint8_t, 1 + kInputsPerSlot> command{};
    uint8_t* replyTo = nullptr;  // a module read: where its reply goes once the step went well

    bool sends() const { return operation != LINK_NOP; }
    LinkStep link() { return {operation, memory ? memory : command.data(), length, address}; }
};

// How an operation ended: the link result code (LINK_OK, or why it stopped),
// and what the user is told beside it.
struct OperationOutcome {
    LinkResult result = LINK_ERR_ABORTED;
    // A whole read replaced bad link tables by their defaults.
    bool checksumWarning = false;
    // Some step went well: after a failed write the device may hold part of it.
    bool anyStepDone = false;
    // Why the port did not open (LINK_ERR_PORT), or why the connection went away.
    PortOpenFailure openFailure;
};

// The message of a failed operation: string 21108 + code for the link's own
// codes, a string of its own when no worker could be started.
unsigned LinkErrorTextId(LinkResult code);
// What the user is told of an outcome (an empty notice: nothing, a plain
// success): the link message as an error, with a line under it where more is
// known (why a port would not open or a connection closed, or, for a write
// that failed after some of its steps went well, that the device may hold
// part of the new configuration and that the backup taken at Connect can be
// written back); or the checksum warning after a whole read.
UiNotice OutcomeMessageOf(DeviceCommand command, const OperationOutcome& outcome);

class DeviceOperation {
public:
    // The operation works on its own copy of image: a write sends it, with
    // the block checks of the link tables set on the copy before the plan is
    // made; a read fills it in (a module data read keeps the rest of image).
    DeviceOperation(DeviceCommand command, const ConfigImage& image);
    DeviceOperation(const DeviceOperation&) = delete;  // the plan points into the image
    DeviceOperation& operator=(const DeviceOperation&) = delete;

    DeviceCommand command() const { return m_command; }
    int ProgressMax() const;  // the bar's range is 0 .. ProgressMax()
    unsigned StatusTextId() const;
    std::vector<OperationStep>& plan() { return m_plan; }
    const std::vector<OperationStep>& plan() const { return m_plan; }

    // A step went well: a module read's reply goes where the plan says.
    void StepDone(const OperationStep& step);
    // Every step went well: a configuration read checks the blocks it got
    // (LINK_ERR_DEVICE for bad module tables); an unknown command did nothing
    // and ends as aborted.
    LinkResult Finish();
    bool checksumWarning() const { return m_checksumWarning; }

    // What was read, or what was written.
    const ConfigImage& image() const { return m_image; }

    // The audio bytes a slot moves: its input count, limited to the 8 places
    // a slot has, so that no count can move more than the slot's audio row.
    static uint32_t AudioBytesOfSlot(const ConfigImage& image, int slot);

private:
    OperationStep& Add(int number, int operation);
    void AddMemoryStep(int operation, const DeviceBlock& block);
    void PlanRead();
    void PlanWrite();
    void PlanModuleData();

    const DeviceCommand m_command;
    ConfigImage m_image;
    std::vector<OperationStep> m_plan;
    bool m_checksumWarning = false;
};

// Runs the whole plan of an operation on some port and tells its user about
// the outcome as that runner talks to its user: the operation dialog, or
// vkx520ctl's lines on standard error.
class OperationRunner {
public:
    virtual ~OperationRunner() = default;
    virtual OperationOutcome Run(DeviceOperation& operation) = 0;
};

// Runs one operation into or from the caller's image: a read leaves what it
// read in image, a write leaves image as it is.
OperationOutcome RunOperationOn(OperationRunner& runner, DeviceCommand command, ConfigImage& image);

// What the step loop tells whoever runs it: the bar's position (0 .. its
// maximum), and whether Abort was asked for (asked between steps).
struct OperationObserver {
    std::function<void(int position, int maximum)> progress;
    std::function<bool()> abortRequested;
};

// Runs operations on the calling thread, with the same step loop and link
// code as the operation dialog: one LinkThreadProc per step. Tells nothing.
// The calling thread must suit LinkThreadProc (see there).
class BlockingOperationRunner : public OperationRunner {
public:
    BlockingOperationRunner(int portIndex, const LinkEnvironment& env, OperationObserver observer = {});
    OperationOutcome Run(DeviceOperation& operation) override;

private:
    int m_port;
    LinkEnvironment m_env;
    OperationObserver m_observer;
};

// RunOperationOn with the blocking runner. checksumWarning (optional) is set when a whole read replaced bad link
// tables; openFailure (optional) receives why the port did not open.
LinkResult RunDeviceOperationSync(DeviceCommand command, int portIndex, ConfigImage& image, const LinkEnvironment& env,
                                  const OperationObserver& observer = {}, bool* checksumWarning = nullptr,
                                  PortOpenFailure* openFailure = nullptr);
