// Whole files for tests: what a program wrote, and what it is to read.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The file's bytes; "missing" when it cannot be read, which no test expects.
inline QByteArray ReadTestFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

// False when the file cannot be written.
inline bool WriteTestFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
