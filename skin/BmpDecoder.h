// The program's own reader for the uncompressed BMP pictures of the skin.
// Pixel data is located directly after the colour table (and the three
// bit-field masks), never by the file header's offset field: skin pictures
// are written that way and older skins rely on it.
//
// Checking a file needs Qt Core alone and is part of the core library;
// decoding it into a QImage (DecodeBmp) is in the vkxpictures library, which
// brings in Qt Gui, so that the command-line tool starts without it.
#pragma once

#include <QByteArrayView>

class QImage;

// No skin picture comes near this; larger sides are refused, which also keeps
// every layout sum of picture sizes far inside 32 bits.
constexpr int kMaxBmpSide = 32767;

enum class BmpError {
    None,
    CannotOpen,     // the file cannot be opened or read (file loads only)
    TooShort,       // fewer than 14 + 40 bytes
    NotBitmap,      // the first two bytes are not "BM"
    HeaderSize,     // information header other than 40 bytes
    BadDimensions,  // width not positive, height 0, or a side above kMaxBmpSide
    BitDepth,       // not 1, 4, 8, 16, 24 or 32 bits per pixel
    Compression,    // run-length or other compression; bit fields outside 16/32 bits
    Truncated,      // colour table or pixel data runs past the end of the file
    OutOfMemory,    // the picture cannot be allocated
};

// The headers every check below needs; nothing after them is read.
constexpr qsizetype kBmpHeaderBytes = 14 + 40;

// Checks everything DecodeBmp checks except whether the picture can be
// allocated, from the file's first kBmpHeaderBytes bytes (fewer only when the
// file is shorter) and its size, without reading a pixel. Stores the size on
// success.
BmpError CheckBmpHeaders(QByteArrayView head, qint64 fileSize, int& width, int& height);

// Decodes a whole BMP file into an RGB32 image. On failure `image` is left
// untouched. Every size is checked against the buffer before a byte is read.
BmpError DecodeBmp(QByteArrayView file, QImage& image);

// Short English description for tools and diagnostics (not shown by the GUI).
const char* BmpErrorText(BmpError error);
