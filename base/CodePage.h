// Conversion between the 8-bit texts the program stores (labels in configuration
// files, language files) and Unicode at the user-interface boundary. Stored
// texts are Windows-1252 bytes, so files stay exchangeable with the device's
// other tools.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString FromCodePage(std::string_view bytes);

// Converts text to Windows-1252 bytes. Characters that have no byte become '?';
// when lossless is given it tells whether every character had one.
std::string ToCodePage(const QString& text, bool* lossless = nullptr);
