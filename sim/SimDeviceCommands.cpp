// What the simulated device does with a request, and its stored state.
#include "sim/SimDevice.h"

#include "link/LinkDefs.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kErased = 0xFF;
constexpr char kIdentity[] = "VKX520 SIM";

// Slot of an input (0xB0 + 2i) or output (0xC0 + 2i) module register, or -1.
int RegisterSlot(uint8_t reg, uint8_t first) {
    if (reg < first || (reg - first) % 2 != 0) return -1;
    const int slot = (reg - first) / 2;
    return slot < kSlotCount ? slot : -1;
}

int BcdValue(uint8_t bcd) { return (bcd >> 4) * 10 + (bcd & 0x0F); }

const DeviceBlock* BlockAt(uint32_t address) {
    static constexpr DeviceBlock kBlocks[] = {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock};
    for (const DeviceBlock& block : kBlocks)
        if (block.address == address) return &block;
    return nullptr;
}

}  // namespace

SimDevice::SimDevice(LinkClock& clock) : m_clock(clock) {
    ConfigImage image;
    image.Clear();
    SetDefaultPanelInputMap(image);
    SetDefaultKeyMap(image);
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        StoreBlockCrc(image, block);
    LoadImage(image);
}

uint8_t SimDevice::Execute(const Request& request, std::vector<uint8_t>& data) {
    switch (request.command) {
    case CMD_SET_ADDRESS:
        m_pointer =
            uint32_t(request.payload[0]) | uint32_t(request.payload[1]) << 8 | uint32_t(request.payload[2]) << 16;
        break;
    case CMD_READ_MEMORY:
        for (std::size_t i = 0; i < request.count; ++i) data.push_back(MemoryAt(m_pointer++));
        break;
    case CMD_WRITE_MEMORY:
        WriteMemory(m_pointer, request.payload, request.payloadLength);
        m_pointer += uint32_t(request.payloadLength);
        break;
    case CMD_ERASE_BLOCK:
        EraseBlock(m_pointer);
        if (m_eraseBusyMs > 0) {
            m_eraseDoneAt = m_clock.NowMs() + uint64_t(m_eraseBusyMs);
            return kStatusBusy;
        }
        break;
    case CMD_POLL_STATUS: break;
    case CMD_MODULE_READ: ReadModule(request.payload[0], data); break;
    case CMD_MODULE_WRITE:
    case CMD_MODULE_DATA: WriteModule(request); break;
    case CMD_QUERY: data.assign(kIdentity, kIdentity + sizeof kIdentity - 1); break;
    case CMD_SET_CLOCK:
        m_lastClock = {BcdValue(request.payload[3]), BcdValue(request.payload[2]), BcdValue(request.payload[1]),
                       BcdValue(request.payload[0]) * 10};
        ++m_clockSetCount;
        break;
    case CMD_RESET:
        ++m_resetCount;
        m_silentUntil = m_clock.NowMs() + uint64_t(m_rebootSilenceMs);
        break;
    default: return kStatusFailure;  // a command the device does not know
    }
    return 0;
}

uint8_t SimDevice::MemoryAt(uint32_t address) const {
    const auto it = m_memory.find(address & 0xFFFFFF);
    return it == m_memory.end() ? kErased : it->second;
}

void SimDevice::WriteMemory(uint32_t address, const uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) m_memory[(address + uint32_t(i)) & 0xFFFFFF] = bytes[i];
}

void SimDevice::EraseBlock(uint32_t address) {
    const uint32_t start = address & 0xFF0000;
    m_memory.erase(m_memory.lower_bound(start), m_memory.lower_bound(start + kMemoryBlockSize));
}

void SimDevice::ReadModule(uint8_t reg, std::vector<uint8_t>& data) const {
    const int inputSlot = RegisterSlot(reg, InputModuleRegister(0));
    if (inputSlot >= 0)
        data.assign(m_moduleData[std::size_t(inputSlot)].begin(), m_moduleData[std::size_t(inputSlot)].end());
    const int outputSlot = RegisterSlot(reg, OutputModuleRegister(0));
    if (outputSlot >= 0)
        for (uint32_t i = 0; i < sizeof(OutputModuleSlot); ++i)
            data.push_back(MemoryAt(kOutputTableBlock.address + uint32_t(outputSlot) * 5 + i));
}

// Module commands set a module's entry in the stored tables (0x0E) or its
// per-input data (0x0F); the device keeps the tables' CRCs valid.
void SimDevice::WriteModule(const Request& request) {
    if (request.payloadLength < 1) return;
    const uint8_t* bytes = request.payload + 1;
    const std::size_t count = request.payloadLength - 1;
    const int inputSlot = RegisterSlot(request.payload[0], InputModuleRegister(0));
    const int outputSlot = RegisterSlot(request.payload[0], OutputModuleRegister(0));
    if (request.command == CMD_MODULE_DATA) {
        if (inputSlot >= 0) std::memcpy(m_moduleData[std::size_t(inputSlot)].data(), bytes, count);
        return;
    }
    if (m_ignoreModuleWrites) return;
    if (inputSlot >= 0 && count >= sizeof(InputModuleSlot))
        WriteMemory(kInputTableBlock.address + uint32_t(inputSlot) * 2, bytes, sizeof(InputModuleSlot));
    if (outputSlot >= 0 && count >= sizeof(OutputModuleSlot))
        WriteMemory(kOutputTableBlock.address + uint32_t(outputSlot) * 5, bytes, sizeof(OutputModuleSlot));
    StoreModuleTableCrcs();
}

void SimDevice::StoreModuleTableCrcs() {
    ConfigImage image = SaveImage();
    StoreBlockCrc(image, kInputTableBlock);
    StoreBlockCrc(image, kOutputTableBlock);
    for (const DeviceBlock& block : {kInputTableBlock, kOutputTableBlock})
        WriteMemory(block.address, image.bytes() + block.offset, block.length);
}

void SimDevice::CorruptStoredBlock(uint32_t blockAddress) {
    if (const DeviceBlock* block = BlockAt(blockAddress)) {
        const uint32_t crcAddress = block->address + uint32_t(block->length) - 1;
        m_memory[crcAddress] = uint8_t(MemoryAt(crcAddress) ^ 0x5A);
    }
}

void SimDevice::LoadImage(const ConfigImage& image) {
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        WriteMemory(block.address, image.bytes() + block.offset, block.length);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        m_moduleData[std::size_t(slot)].fill(0);
        std::memcpy(m_moduleData[std::size_t(slot)].data(), image.audioTable[slot], kInputsPerSlot);
    }
}

ConfigImage SimDevice::SaveImage() const {
    ConfigImage image;
    image.Clear();
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        for (std::size_t i = 0; i < block.length; ++i)
            image.bytes()[block.offset + i] = MemoryAt(block.address + uint32_t(i));
    for (int slot = 0; slot < kSlotCount; ++slot)
        std::memcpy(image.audioTable[slot], m_moduleData[std::size_t(slot)].data(), kInputsPerSlot);
    return image;
}
