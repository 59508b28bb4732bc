// The link's 8-bit CRC: reflected polynomial 0x31 (0x8C), initial value 0xFF,
// no final XOR. A block followed by its own CRC byte checks to 0.
#pragma once

#include <cstddef>
#include <cstdint>

uint8_t Crc8(const uint8_t* bytes, std::size_t count);
