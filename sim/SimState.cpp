#include "sim/SimState.h"

#include <cstring>

namespace {
// Image ranges the device owns: the module tables, then the link tables
// followed by the embedded audio rows.
constexpr struct { std::size_t begin, end; } kDeviceRanges[] = {{0, 59}, {76, 174}};
}  // namespace

ConfigFileContents SimStateOf(const ConfigImage& image) {
    ConfigFileContents state;
    state.version = kConfigFileVersion2;
    state.image = image;
    return state;
}

void TakeDeviceState(ConfigFileContents& state, const SimDevice& device) {
    const ConfigImage memory = device.SaveImage();
    for (const auto& range : kDeviceRanges)
        std::memcpy(state.image.bytes() + range.begin, memory.bytes() + range.begin, range.end - range.begin);
}
