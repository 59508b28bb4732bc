#include "link/DeviceOperation.h"

#include "lang/UiText.h"
#include "res/resource.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kReadSteps = 4;
constexpr int kWriteInputModuleStep = 2;    // 2 + slot
constexpr int kWriteOutputModuleStep = 10;  // 10 + slot
constexpr int kWriteAudioStep = 18;         // 18 + slot
constexpr int kWriteResetStep = 26;
constexpr DeviceBlock kReadOrder[kReadSteps] = {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock};

LinkStep MemoryStep(int operation, ConfigImage& image, const DeviceBlock& block) {
    return {operation, image.bytes() + block.offset, uint32_t(block.length), block.address};
}

bool IsAudioSlot(const ConfigImage& image, int slot) { return image.audioKinds[slot] == kAudioKindEmbedded; }

}  // namespace

DeviceOperation::DeviceOperation(DeviceCommand command, ConfigImage& image) : m_command(command), m_image(image) {}

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

unsigned LinkErrorTextId(LinkResult code) {
    return code == LINK_ERR_NO_THREAD ? unsigned(IDS_NO_LINK_THREAD) : IDS_LINK_ERROR_BASE + unsigned(code);
}

void ShowOperationFailure(DeviceCommand command, LinkResult result, bool anyStepDone,
                          const PortOpenFailure& openFailure) {
    QString detail;
    if (result == LINK_ERR_PORT || openFailure.problem == PortProblem::ConnectionClosed)
        detail = PortOpenDetail(openFailure);
    if (result != LINK_ERR_PORT && command == OPER_WRITE_CONFIG && anyStepDone)
        detail += (detail.isEmpty() ? QString() : QStringLiteral("\n")) + LoadUiString(IDS_WRITE_PARTIAL);
    UiMessageBoxDetailed(LinkErrorTextId(result), MB_OK | MB_ICONSTOP, detail);
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

bool DeviceOperation::PrepareStep(LinkStep& step, const std::function<void(int)>& moveBar) {
    switch (m_command) {
    case OPER_READ_CONFIG:
        if (m_step >= kReadSteps) return NoStepLeft(LINK_OK);
        step = ReadConfigStep();
        return true;
    case OPER_WRITE_CONFIG: return PrepareWriteStep(step, moveBar);
    case OPER_RESET:
    case OPER_SET_TIME:
        if (m_step > 0) return NoStepLeft(LINK_OK);
        step = {m_command == OPER_RESET ? LINK_RESET : LINK_SET_TIME, m_scratch, 0, 0};
        return true;
    case OPER_READ_MODULE_DATA:
        if (!SeekModuleDataSlot()) return NoStepLeft(LINK_OK);
        step = ModuleDataStep();
        return true;
    default: return NoStepLeft(LINK_ERR_ABORTED);  // unknown command: nothing was done
    }
}

bool DeviceOperation::CompleteStep() {
    switch (m_command) {
    case OPER_READ_CONFIG: return CompleteReadConfig();
    case OPER_WRITE_CONFIG: return m_step >= kWriteResetStep && Finish(LINK_OK);
    case OPER_READ_MODULE_DATA: return CompleteModuleData();
    default: return Finish(LINK_OK);
    }
}

bool DeviceOperation::Finish(LinkResult result) {
    m_result = result;
    return true;
}

bool DeviceOperation::NoStepLeft(LinkResult result) {
    m_result = result;
    return false;
}

// --- read configuration ---------------------------------------------------

LinkStep DeviceOperation::ReadConfigStep() const { return MemoryStep(LINK_READ, m_image, kReadOrder[m_step]); }

bool DeviceOperation::CompleteReadConfig() {
    if (m_step < kReadSteps - 1) return false;
    switch (CheckDeviceBlocks(m_image)) {
    case BlockCheck::ModuleTablesBad: return Finish(LINK_ERR_DEVICE);
    case BlockCheck::LinkTablesReset: m_checksumWarning = true; break;
    case BlockCheck::Ok: break;
    }
    return Finish(LINK_OK);
}

// --- write configuration --------------------------------------------------

bool DeviceOperation::WriteStepHasWork(int step) const {
    if (step < kWriteInputModuleStep || step >= kWriteResetStep) return true;
    if (step < kWriteOutputModuleStep) return m_image.inputModules[step - kWriteInputModuleStep].code != 0;
    if (step < kWriteAudioStep) return m_image.outputModules[step - kWriteOutputModuleStep].code != 0;
    const int slot = step - kWriteAudioStep;
    return m_image.inputModules[slot].code != 0 && IsAudioSlot(m_image, slot);
}

bool DeviceOperation::PrepareWriteStep(LinkStep& step, const std::function<void(int)>& moveBar) {
    if (m_step > kWriteResetStep) return NoStepLeft(LINK_OK);
    while (!WriteStepHasWork(m_step)) {
        ++m_step;
        if (moveBar) moveBar(m_step);
    }
    step = WriteConfigStep(m_step);
    return true;
}

LinkStep DeviceOperation::WriteConfigStep(int step) {
    if (step == 0) {
        StoreBlockCrc(m_image, kPanelMapBlock);
        return MemoryStep(LINK_WRITE, m_image, kPanelMapBlock);
    }
    if (step == 1) {
        StoreBlockCrc(m_image, kKeyMapBlock);
        return MemoryStep(LINK_WRITE, m_image, kKeyMapBlock);
    }
    if (step == kWriteResetStep) return {LINK_RESET, m_scratch, 0, 0};
    if (step < kWriteOutputModuleStep) {
        const int slot = step - kWriteInputModuleStep;
        const InputModuleSlot& module = m_image.inputModules[slot];
        const uint8_t payload[3] = {InputModuleRegister(slot), module.code, module.count};
        std::memcpy(m_scratch, payload, sizeof payload);
        return {LINK_MODULE_WRITE, m_scratch, sizeof payload, 0};
    }
    if (step < kWriteAudioStep) {
        const int slot = step - kWriteOutputModuleStep;
        m_scratch[0] = OutputModuleRegister(slot);
        std::memcpy(m_scratch + 1, &m_image.outputModules[slot], sizeof(OutputModuleSlot));
        return {LINK_MODULE_WRITE, m_scratch, 1 + sizeof(OutputModuleSlot), 0};
    }
    const int slot = step - kWriteAudioStep;
    const uint32_t count = AudioBytesOfSlot(m_image, slot);
    m_scratch[0] = InputModuleRegister(slot);
    std::memcpy(m_scratch + 1, m_image.audioTable[slot], count);
    return {LINK_MODULE_DATA, m_scratch, 1 + count, 0};
}

// --- read module data -------------------------------------------------------

bool DeviceOperation::SeekModuleDataSlot() {
    while (m_step < kSlotCount && !IsAudioSlot(m_image, m_step)) ++m_step;
    return m_step < kSlotCount;
}

// Asks for at most the 8 bytes a slot's audio row holds, whatever count the
// device reported, so the request stays within one frame and the row.
LinkStep DeviceOperation::ModuleDataStep() {
    m_scratch[0] = InputModuleRegister(m_step);
    return {LINK_MODULE_READ, m_scratch, AudioBytesOfSlot(m_image, m_step), 0};
}

bool DeviceOperation::CompleteModuleData() {
    std::memcpy(m_image.audioTable[m_step], m_scratch, AudioBytesOfSlot(m_image, m_step));
    for (int slot = m_step + 1; slot < kSlotCount; ++slot)
        if (IsAudioSlot(m_image, slot)) return false;
    return Finish(LINK_OK);
}
