// Merging an image freshly read from the device into the document.
#include "base/DiagLog.h"
#include "model/CMainDoc.h"
#include "res/resource.h"

#include <cstring>

namespace {
// Ranges a read from the device refreshes in a configuration already shown:
// the module tables with their reserved byte and CRCs, and the embedded audio.
constexpr struct { std::size_t begin, end; } kDeviceOwnedRanges[] = {{0, 18}, {18, 59}, {110, 174}};
}  // namespace

bool CMainDoc::ReadCfg(const ConfigImage& image, bool force) {
    LogMessage("CMainDoc::ReadCfg()");
    m_lastNotice = {};
    if (m_hasConfig && !force && !MatchesDevice(image)) {
        m_lastNotice = UiNotice{0, QString(), IDS_CONFIG_MISMATCH, MB_OK | MB_ICONSTOP};
        return false;
    }
    if (m_hasConfig) {
        for (const auto& range : kDeviceOwnedRanges)
            std::memcpy(m_image.bytes() + range.begin, image.bytes() + range.begin, range.end - range.begin);
    } else {
        m_image = image;
    }
    for (int n = GetTotalInputs(false); n < kUsableInputs; ++n) m_image.panelInputMap[n] = uint8_t(n);
    m_hasConfig = m_deviceBound = true;
    m_configModified = m_labelsModified = false;
    NotifyStateChanged();
    return true;
}
