#include "model/CMainDoc.h"

#include "res/resource.h"

#include <algorithm>
#include <cstring>

namespace {

std::string FieldText(const char (&field)[kLabelSize]) { return std::string(field, strnlen(field, kLabelSize - 1)); }

void StoreField(char (&field)[kLabelSize], const std::string& text) {
    std::memset(field, 0, kLabelSize);
    std::memcpy(field, text.data(), std::min<std::size_t>(text.size(), kMaxLabelLength));
}

bool IsValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
bool IsValidInput(int input) { return input >= 0 && input < kUsableInputs; }

}  // namespace

CMainDoc::CMainDoc() { ResetConfig(); }

void CMainDoc::ResetConfig() {
    m_image.Clear();
    std::memset(m_inputLabels, 0, sizeof m_inputLabels);
    std::memset(m_panelLabels, 0, sizeof m_panelLabels);
    m_filePath.clear();
    m_deviceBound = m_hasConfig = m_configModified = m_labelsModified = m_inputLimitWarned = false;
    NotifyStateChanged();
}

void CMainDoc::SetDeviceBound(bool bound) {
    if (m_deviceBound == bound) return;
    m_deviceBound = bound;
    NotifyStateChanged();
}

// --- modules and input numbering ----------------------------------------------
//
// A device or a file may report more than 8 inputs for a slot, but a slot has
// only 8 places for labels and audio settings. The stored byte is carried
// unchanged (so it goes back to the device and into files as it came), while
// every count the model works with is limited to 8: numbering, labels, audio
// rows and the module data read and written per slot never pass a slot's row.

int CMainDoc::GetModuleCode(int slot) const { return IsValidSlot(slot) ? m_image.inputModules[slot].code : 0; }

int CMainDoc::GetInputCount(int slot) const {
    return IsValidSlot(slot) ? std::min<int>(m_image.inputModules[slot].count, kInputsPerSlot) : 0;
}

int CMainDoc::GetTotalInputs(bool raw) const {
    int total = 0;
    for (int s = 0; s < kSlotCount; ++s) total += GetInputCount(s);
    return raw ? total : std::min(total, kUsableInputs);
}

int CMainDoc::GetInputNumber(int slot, int localInput) const {
    int number = localInput;
    for (int s = 0; s < slot && s < kSlotCount; ++s) number += GetInputCount(s);
    return number;
}

int CMainDoc::GetSlotOfInput(int input) const {
    int first = 0;
    for (int s = 0; s < kSlotCount; ++s) {
        first += GetInputCount(s);
        if (input >= 0 && input < first) return s;
    }
    return kSlotCount;
}

int CMainDoc::GetLocalIndex(int input) const {
    const int slot = GetSlotOfInput(input);
    return slot < kSlotCount ? input - GetInputNumber(slot, 0) : 0;
}

void CMainDoc::SetInputModule(int slot, int code, int count) {
    if (!IsValidSlot(slot)) return;
    count = std::clamp(count, 0, kInputsPerSlot);
    InputModuleSlot& entry = m_image.inputModules[slot];
    if (entry.code != code || entry.count != count) m_configModified = true;
    entry.code = uint8_t(code);
    entry.count = uint8_t(count);

    for (int n = GetTotalInputs(false); n < kUsableInputs; ++n) m_image.panelInputMap[n] = uint8_t(n);

    // Labels that come back into use must not duplicate another module's labels.
    for (int d = 0; d < count; ++d) {
        char(&mine)[kLabelSize] = m_inputLabels[slot][d];
        for (int g = 0; g < kSlotCount && mine[0]; ++g) {
            if (g == slot || m_image.inputModules[g].code == 0) continue;
            for (int i = 0; i < GetInputCount(g); ++i) {
                if (m_inputLabels[g][i][0] && std::strncmp(mine, m_inputLabels[g][i], kLabelSize) == 0) {
                    std::memset(mine, 0, kLabelSize);
                    m_configModified = true;
                    break;
                }
            }
        }
    }

    // Panel inputs beyond the usable total keep no label that one in use has.
    const int usable = GetTotalInputs(false);
    for (int e = usable; e < kPanelInputCount; ++e) {
        for (int j = 0; j < usable && m_panelLabels[e][0]; ++j) {
            if (j != e && m_panelLabels[j][0] && std::strncmp(m_panelLabels[e], m_panelLabels[j], kLabelSize) == 0) {
                std::memset(m_panelLabels[e], 0, kLabelSize);
                m_configModified = true;
            }
        }
    }
}

// --- labels ---------------------------------------------------------------------

std::string CMainDoc::DefaultInputName(int input) { return "IN" + std::to_string(input + 1); }
std::string CMainDoc::DefaultPanelName(int panelInput) { return "A" + std::to_string(panelInput + 1); }

std::string CMainDoc::GetInputLabel(int input, bool noDefault) const {
    const int slot = GetSlotOfInput(input);
    std::string text;
    if (slot < kSlotCount) text = FieldText(m_inputLabels[slot][GetLocalIndex(input)]);
    if (text.empty() && !noDefault) text = DefaultInputName(input);
    return text;
}

std::string CMainDoc::GetPanelLabel(int panelInput, bool noDefault) const {
    if (panelInput < 0 || panelInput >= kPanelInputCount) return {};
    std::string text = FieldText(m_panelLabels[panelInput]);
    if (text.empty() && !noDefault) text = DefaultPanelName(panelInput);
    return text;
}

bool CMainDoc::SetInputLabel(int input, const std::string& text) {
    const int slot = GetSlotOfInput(input);
    if (slot >= kSlotCount || text.size() > std::size_t(kMaxLabelLength) || text.find('\0') != std::string::npos)
        return false;
    char(&field)[kLabelSize] = m_inputLabels[slot][GetLocalIndex(input)];
    if (text.empty() || text == DefaultInputName(input)) {
        StoreField(field, {});
        m_labelsModified = true;
        return true;
    }
    for (int s = 0; s < kSlotCount; ++s) {
        if (m_image.inputModules[s].code == 0) continue;
        for (int i = 0; i < GetInputCount(s); ++i) {
            const int other = GetInputNumber(s, i);
            if (other != input && GetInputLabel(other, false) == text) return false;
        }
    }
    StoreField(field, text);
    m_labelsModified = true;
    return true;
}

bool CMainDoc::SetPanelLabel(int panelInput, const std::string& text) {
    if (panelInput < 0 || panelInput >= kPanelInputCount || text.size() > std::size_t(kMaxLabelLength) ||
        text.find('\0') != std::string::npos)
        return false;
    if (text.empty() || text == DefaultPanelName(panelInput)) {
        StoreField(m_panelLabels[panelInput], {});
        m_labelsModified = true;
        return true;
    }
    const int usable = GetTotalInputs(false);
    for (int j = 0; j < usable; ++j)
        if (j != panelInput && GetPanelLabel(j, false) == text) return false;
    StoreField(m_panelLabels[panelInput], text);
    m_labelsModified = true;
    return true;
}

// --- keys and panel links -------------------------------------------------------

int CMainDoc::GetKeyOfInput(int input) const { return IsValidInput(input) ? m_image.keyMap[input] - 1 : -1; }

int CMainDoc::GetInputOfKey(int key) const {
    for (int n = 0; n < kUsableInputs; ++n)
        if (m_image.keyMap[n] - 1 == key) return n;
    return kUsableInputs;
}

void CMainDoc::AssignKey(int key, int input) {
    const int holder = GetInputOfKey(key);
    if (holder >= kUsableInputs || !IsValidInput(input) || holder == input) return;
    std::swap(m_image.keyMap[holder], m_image.keyMap[input]);
    m_configModified = true;
}

int CMainDoc::GetPanelInputOfInput(int input) const { return IsValidInput(input) ? m_image.panelInputMap[input] : -1; }

void CMainDoc::SetPanelInputOfInput(int input, int panelInput) {
    if (!IsValidInput(input)) return;
    if (m_image.panelInputMap[input] != panelInput) m_configModified = true;
    m_image.panelInputMap[input] = uint8_t(panelInput);
}

bool CMainDoc::IsPanelInputOfInput(int panelInput, int input) const {
    return IsValidInput(input) && m_image.panelInputMap[input] == panelInput;
}

// --- audio and outputs ----------------------------------------------------------

int CMainDoc::GetAudioSetting(int slot, int localInput) const {
    if (!IsValidSlot(slot) || localInput < 0 || localInput >= kInputsPerSlot) return 0;
    return m_image.audioTable[slot][localInput];
}

void CMainDoc::SetAudioSetting(int slot, int localInput, int value) {
    if (!IsValidSlot(slot) || localInput < 0 || localInput >= kInputsPerSlot) return;
    if (m_image.audioTable[slot][localInput] != value) m_configModified = true;
    m_image.audioTable[slot][localInput] = uint8_t(value);
}

int CMainDoc::GetOutputModuleCode(int slot) const { return IsValidSlot(slot) ? m_image.outputModules[slot].code : 0; }

void CMainDoc::SetOutputModuleCode(int slot, int code) {
    if (!IsValidSlot(slot)) return;
    if (m_image.outputModules[slot].code != code) m_configModified = true;
    m_image.outputModules[slot].code = uint8_t(code);
}

int CMainDoc::GetOutputSignal(int slot, int output) const {
    if (!IsValidSlot(slot) || output < 0 || output >= kOutputsPerModule) return 0;
    return m_image.outputModules[slot].signal[output];
}

void CMainDoc::SetOutputSignal(int slot, int output, int signal) {
    if (!IsValidSlot(slot) || output < 0 || output >= kOutputsPerModule) return;
    if (m_image.outputModules[slot].signal[output] != signal) m_configModified = true;
    m_image.outputModules[slot].signal[output] = uint8_t(signal);
}

// --- device binding ---------------------------------------------------------------

bool CMainDoc::MatchesDevice(const ConfigImage& image) const {
    for (int s = 0; s < kSlotCount; ++s) {
        const int in = m_image.inputModules[s].code, out = m_image.outputModules[s].code;
        if (in != 0 && in != image.inputModules[s].code) return false;
        if (out != 0 && out != image.outputModules[s].code) return false;
    }
    return true;
}

bool CMainDoc::TakeInputLimitWarning() {
    if (GetTotalInputs(true) <= kUsableInputs || m_inputLimitWarned) return false;
    m_inputLimitWarned = true;
    return true;
}
