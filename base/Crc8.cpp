#include "base/Crc8.h"

#include <array>

namespace {
constexpr uint8_t Step(uint8_t crc, uint8_t byte) {
    for (int bit = 0; bit < 8; ++bit) {
        const bool feedback = ((crc ^ (byte >> bit)) & 1) != 0;
        crc = uint8_t(crc >> 1);
        if (feedback) crc ^= 0x8C;
    }
    return crc;
}

// Table of Step(i, 0) applies because the CRC is linear: Step(crc, b) == Step(crc ^ b, 0).
constexpr std::array<uint8_t, 256> MakeTable() {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) table[std::size_t(i)] = Step(uint8_t(i), 0);
    return table;
}
constexpr auto kTable = MakeTable();
static_assert(Step(Step(Step(0xFF, 'a'), 'b'), 'c') == 0x90);
}  // namespace

uint8_t Crc8(const uint8_t* bytes, std::size_t count) {
    uint8_t crc = 0xFF;
    for (std::size_t i = 0; i < count; ++i) crc = kTable[crc ^ bytes[i]];
    return crc;
}
