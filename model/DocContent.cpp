// The document's content as undo and redo keep and restore it.
#include "model/CMainDoc.h"

#include <cstring>

bool CDocContent::SameDeviceData(const CDocContent& other) const {
    return std::memcmp(image.bytes(), other.image.bytes(), kConfigImageSize) == 0;
}

bool CDocContent::SameLabels(const CDocContent& other) const {
    return std::memcmp(inputLabels, other.inputLabels, sizeof inputLabels) == 0 &&
           std::memcmp(panelLabels, other.panelLabels, sizeof panelLabels) == 0;
}

bool CDocContent::operator==(const CDocContent& other) const {
    return SameDeviceData(other) && SameLabels(other) && configModified == other.configModified &&
           labelsModified == other.labelsModified;
}

CDocContent CMainDoc::Content() const {
    CDocContent content;
    content.image = m_image;
    std::memcpy(content.inputLabels, m_inputLabels, sizeof m_inputLabels);
    std::memcpy(content.panelLabels, m_panelLabels, sizeof m_panelLabels);
    content.configModified = m_configModified;
    content.labelsModified = m_labelsModified;
    return content;
}

void CMainDoc::RestoreContent(const CDocContent& content) {
    m_image = content.image;
    std::memcpy(m_inputLabels, content.inputLabels, sizeof m_inputLabels);
    std::memcpy(m_panelLabels, content.panelLabels, sizeof m_panelLabels);
    m_configModified = content.configModified;
    m_labelsModified = content.labelsModified;
}
