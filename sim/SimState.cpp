#include "sim/SimState.h"

#include <cstring>

namespace {
// Image ranges the device owns: the module tables, then the link tables
// followed by the embedded audio rows.
constexpr struct { std::size_t begin, end; } kDeviceRanges[] = {{0, 59}, {76, 174}};
}  // namespace

void SimStateDoc::SetImage(const ConfigImage& image) {
    m_image = image;
    m_hasConfig = true;
}

void SimStateDoc::TakeDeviceState(const SimDevice& device) {
    const ConfigImage state = device.SaveImage();
    for (const auto& range : kDeviceRanges)
        std::memcpy(m_image.bytes() + range.begin, state.bytes() + range.begin, range.end - range.begin);
    m_hasConfig = true;
}
