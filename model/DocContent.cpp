// The document's content as undo and redo keep and restore it.
#include "model/DocContent.h"

#include "model/CMainDoc.h"

#include <cstring>

bool DocContent::SameDeviceData(const DocContent& other) const {
    return std::memcmp(image.bytes(), other.image.bytes(), kConfigImageSize) == 0;
}

bool DocContent::SameLabels(const DocContent& other) const {
    return std::memcmp(inputLabels, other.inputLabels, sizeof inputLabels) == 0 &&
           std::memcmp(panelLabels, other.panelLabels, sizeof panelLabels) == 0;
}

bool DocContent::operator==(const DocContent& other) const {
    return SameDeviceData(other) && SameLabels(other) && configModified == other.configModified &&
           labelsModified == other.labelsModified;
}

DocContent CMainDoc::Content() const {
    DocContent content;
    content.image = m_image;
    std::memcpy(content.inputLabels, m_inputLabels, sizeof m_inputLabels);
    std::memcpy(content.panelLabels, m_panelLabels, sizeof m_panelLabels);
    content.configModified = m_configModified;
    content.labelsModified = m_labelsModified;
    return content;
}

void CMainDoc::RestoreContent(const DocContent& content) {
    m_image = content.image;
    std::memcpy(m_inputLabels, content.inputLabels, sizeof m_inputLabels);
    std::memcpy(m_panelLabels, content.panelLabels, sizeof m_panelLabels);
    m_configModified = content.configModified;
    m_labelsModified = content.labelsModified;
}
