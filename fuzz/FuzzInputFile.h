// The path-taking readers get the same bytes as the in-memory ones through one
// file per name in one folder per process: the folder is made once and each
// input rewrites the file, which costs far less than a folder per input.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The process's folder (removed at exit).
const QString& FuzzFolder();

// Replaces FuzzFolder()/name with data and returns its path; aborts when the
// file cannot be written whole, since the run would then test nothing.
QString WriteFuzzFile(const QString& name, const uint8_t* data, size_t size);
