// The skin checker for skin authors: loads a skin as the program does and
// lists what the program would ignore, skip or be unable to show. An empty
// list means the skin is clean. Problems are plain English lines meant for
// the author's terminal, not program texts.
#pragma once

#include <QStringList>

class CSkin;

QStringList CheckSkinFile(const QString& xmlPath);
// The same, leaving the skin as the check loaded it (pictures included) in
// `skin`, for tools that go on to use it.
QStringList CheckSkinFile(const QString& xmlPath, CSkin& skin);

// The parts of the check, for tests and tools.
// Elements and attributes the loader ignores or skips, with line numbers.
QStringList CheckSkinMarkup(QByteArrayView xml);
// Reserved IDs, duplicates, pictures, areas and label boxes of a loaded skin.
QStringList CheckSkinTree(const CSkin& skin);
