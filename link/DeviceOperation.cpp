#include "link/DeviceOperation.h"

#include "lang/UiText.h"
#include "res/resource.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kReadSteps = 4;
constexpr int kWriteResetStep = 26;  // after the link tables (0, 1) and three rows of eight slots
constexpr DeviceBlock kReadOrder[kReadSteps] = {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock};

static_assert(1 + sizeof(OutputModuleSlot) <= std::tuple_size_v<decltype(OperationStep::command)>);

bool IsAudioSlot(const ConfigImage& image, int slot) { return image.audioKinds[slot] == kAudioKindEmbedded; }

}  // namespace

unsigned LinkErrorTextId(LinkResult code) {
    return code == LINK_ERR_NO_THREAD ? unsigned(IDS_NO_LINK_THREAD) : IDS_LINK_ERROR_BASE + unsigned(code);
}

UiNotice OutcomeMessageOf(DeviceCommand command, const OperationOutcome& outcome) {
    if (outcome.result == LINK_OK)
        return outcome.checksumWarning ? UiNotice{0, {}, IDS_CHECKSUM_WARNING, MB_OK | MB_ICONEXCLAMATION, {}}
                                       : UiNotice{};
    QString detail;
    if (outcome.result == LINK_ERR_PORT || outcome.openFailure.problem == PortProblem::ConnectionClosed)
        detail = PortOpenDetail(outcome.openFailure);
    if (outcome.result != LINK_ERR_PORT && command == OPER_WRITE_CONFIG && outcome.anyStepDone)
        detail += (detail.isEmpty() ? QString() : QStringLiteral("\n")) + LoadUiString(IDS_WRITE_PARTIAL);
    return {0, {}, LinkErrorTextId(outcome.result), MB_OK | MB_ICONSTOP, detail};
}

DeviceOperation::DeviceOperation(DeviceCommand command, const ConfigImage& image) : m_command(command), m_image(image) {
    switch (m_command) {
    case OPER_READ_CONFIG: PlanRead(); break;
    case OPER_WRITE_CONFIG: PlanWrite(); break;
    case OPER_RESET: Add(0, LINK_RESET); break;
    case OPER_SET_TIME: Add(0, LINK_SET_TIME); break;
    case OPER_READ_MODULE_DATA: PlanModuleData(); break;
    }  // an unknown command has no steps
}

int DeviceOperation::ProgressMax() const {
    switch (m_command) {
    case OPER_READ_CONFIG: return kReadSteps - 1;
    case OPER_WRITE_CONFIG: return kWriteResetStep;
    case OPER_RESET:
    case OPER_SET_TIME: return 1;
    case OPER_READ_MODULE_DATA: return kSlotCount;
    default: return 0;
    }
}

unsigned DeviceOperation::StatusTextId() const {
    switch (m_command) {
    case OPER_WRITE_CONFIG: return IDS_WRITING_CONFIG;
    case OPER_RESET: return IDS_RESETTING;
    case OPER_SET_TIME: return IDS_SETTING_TIME;
    default: return IDS_READING_CONFIG;
    }
}

uint32_t DeviceOperation::AudioBytesOfSlot(const ConfigImage& image, int slot) {
    return std::min<uint32_t>(image.inputModules[slot].count, kInputsPerSlot);
}

OperationStep& DeviceOperation::Add(int number, int operation) {
    OperationStep& step = m_plan.emplace_back();
    step.number = number;
    step.progress = number + 1;
    step.operation = operation;
    return step;
}

void DeviceOperation::AddMemoryStep(int operation, const DeviceBlock& block) {
    OperationStep& step = Add(int(m_plan.size()), operation);
    step.address = block.address;
    step.length = uint32_t(block.length);
    step.memory = m_image.bytes() + block.offset;
}

void DeviceOperation::PlanRead() {
    for (const DeviceBlock& block : kReadOrder) AddMemoryStep(LINK_READ, block);
}

// Every step number of a write is in the plan: a slot with nothing to send is
// passed (the bar moves over it) rather than left out.
void DeviceOperation::PlanWrite() {
    StoreBlockCrc(m_image, kPanelMapBlock);
    StoreBlockCrc(m_image, kKeyMapBlock);
    AddMemoryStep(LINK_WRITE, kPanelMapBlock);
    AddMemoryStep(LINK_WRITE, kKeyMapBlock);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const InputModuleSlot& module = m_image.inputModules[slot];
        OperationStep& step = Add(int(m_plan.size()), module.code != 0 ? LINK_MODULE_WRITE : LINK_NOP);
        step.command = {InputModuleRegister(slot), module.code, module.count};
        step.length = 3;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        OperationStep& step =
            Add(int(m_plan.size()), m_image.outputModules[slot].code != 0 ? LINK_MODULE_WRITE : LINK_NOP);
        step.command[0] = OutputModuleRegister(slot);
        std::memcpy(step.command.data() + 1, &m_image.outputModules[slot], sizeof(OutputModuleSlot));
        step.length = 1 + sizeof(OutputModuleSlot);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const bool audio = m_image.inputModules[slot].code != 0 && IsAudioSlot(m_image, slot);
        OperationStep& step = Add(int(m_plan.size()), audio ? LINK_MODULE_DATA : LINK_NOP);
        const uint32_t count = AudioBytesOfSlot(m_image, slot);
        step.command[0] = InputModuleRegister(slot);
        std::memcpy(step.command.data() + 1, m_image.audioTable[slot], count);
        step.length = 1 + count;
    }
    Add(kWriteResetStep, LINK_RESET);
}

// Only the slots of audio kind 2 are read; the step numbers are the slots',
// so the bar jumps over the others. Each asks for at most the 8 bytes a
// slot's audio row holds, whatever count the device reported, so the request
// stays within one frame and the row.
void DeviceOperation::PlanModuleData() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!IsAudioSlot(m_image, slot)) continue;
        OperationStep& step = Add(slot, LINK_MODULE_READ);
        step.command[0] = InputModuleRegister(slot);
        step.length = AudioBytesOfSlot(m_image, slot);
        step.replyTo = m_image.audioTable[slot];
    }
}

void DeviceOperation::StepDone(const OperationStep& step) {
    if (step.replyTo) std::memcpy(step.replyTo, step.command.data(), step.length);
}

LinkResult DeviceOperation::Finish() {
    switch (m_command) {
    case OPER_READ_CONFIG:
        switch (CheckDeviceBlocks(m_image)) {
        case BlockCheck::ModuleTablesBad: return LINK_ERR_DEVICE;
        case BlockCheck::LinkTablesReset: m_checksumWarning = true; break;
        case BlockCheck::Ok: break;
        }
        return LINK_OK;
    case OPER_WRITE_CONFIG:
    case OPER_RESET:
    case OPER_SET_TIME:
    case OPER_READ_MODULE_DATA: return LINK_OK;
    }
    return LINK_ERR_ABORTED;  // unknown command: nothing was done
}

OperationOutcome RunOperationOn(OperationRunner& runner, DeviceCommand command, ConfigImage& image) {
    DeviceOperation operation(command, image);
    const OperationOutcome outcome = runner.Run(operation);
    if (command == OPER_READ_CONFIG || command == OPER_READ_MODULE_DATA) image = operation.image();
    return outcome;
}
