// Helpers for tests that need language files: build tables from texts and
// patch the header fields of serialized files.
#pragma once

#include "lang/LanguageTable.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

namespace langtest {

// Header fields by byte offset.
constexpr int kTextCountAt = 4;
constexpr int kAliasCountAt = 8;
constexpr int kPoolSizeAt = 12;
constexpr int kEntriesAt = 64;

inline uint32_t GetU32(const QByteArray& bytes, int at) { return qFromLittleEndian<uint32_t>(bytes.constData() + at); }

inline void PutU32(QByteArray& bytes, int at, uint32_t value) { qToLittleEndian(value, bytes.data() + at); }

inline QByteArray FileBytes(const std::vector<LanguageText>& texts, const std::vector<LanguageAlias>& aliases = {}) {
    return LanguageTable::Build(texts, aliases).Serialize();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

}  // namespace langtest
