// Parsing a skin file held in memory, shared by the loader and the checker.
#pragma once

#include <QByteArrayView>

#include <tinyxml2.h>

// Parses the bytes with tinyxml2 (which keeps its nesting-depth limit). An
// empty buffer is refused here, so the parser never looks at its first byte.
inline bool ParseSkinXml(tinyxml2::XMLDocument& doc, QByteArrayView xml) {
    if (xml.isEmpty()) return false;
    return doc.Parse(xml.data(), std::size_t(xml.size())) == tinyxml2::XML_SUCCESS;
}
