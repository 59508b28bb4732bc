#pragma once
// Uncompressed BMP files as the program's picture reader accepts them: a
// 14-byte file header, a 40-byte information header, the colour table and the
// pixel rows directly after it (the offset field always agrees).
#include <QByteArray>
#include <QImage>
#include <QString>

namespace skingen {

// 24 bits per pixel, no colour table, bottom-up rows.
QByteArray EncodeBmp24(const QImage& image);
// 8 bits per pixel; the image must be Format_Indexed8 with 1..256 colours.
// Colours-used is written as the table size, so shorter tables are exercised.
QByteArray EncodeBmp8(const QImage& indexed);

// Decodes 8- and 24-bit files by the reader's rule (pixel data right after
// the colour table) and additionally insists that the offset field agrees.
// Returns a null image and sets error on any inconsistency.
QImage DecodeBmp(const QByteArray& bytes, QString* error);

bool WriteFileBytes(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace skingen
