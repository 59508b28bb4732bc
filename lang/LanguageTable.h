// One language file in memory: its text entries (key + offset into the pool),
// its key aliases and its pool of NUL-terminated 8-bit texts, with indexes
// sorted by key for binary search.
//
// File layout, little-endian:
//   0   "LANG"
//   4   N   text entries            (u32)
//   8   M   alias entries           (u32)
//   12  T   pool size in bytes      (u32)
//   16  48 reserved bytes, zero
//   64  N x {key, pool offset}
//   ..  M x {key, target key}
//   ..  T bytes of pool: Windows-1252 texts, each followed by NUL
#pragma once

#include "lang/TranslationKey.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t kLanguageHeaderSize = 64;
constexpr std::size_t kLanguageEntrySize = 8;
// Real language files are a few hundred kilobytes at most; anything far
// larger is not one, and refusing it keeps memory use bounded.
constexpr std::size_t kMaxLanguageFileSize = 16u * 1024u * 1024u;

// Results of reading and writing language files.
enum : int { LANG_OK = 0, LANG_CANNOT_OPEN = 1, LANG_BAD_FILE = 2, LANG_SAVE_FAILED = 3 };

struct LanguageTextEntry {
    TranslationKey key;
    uint32_t offset;  // into the pool
    friend bool operator==(const LanguageTextEntry&, const LanguageTextEntry&) = default;
};

struct LanguageAlias {
    TranslationKey key;
    TranslationKey target;
    friend bool operator==(const LanguageAlias&, const LanguageAlias&) = default;
};

// A text to put into a table being built; stored exactly as given (a tab
// escape stays backslash + t), converted to Windows-1252.
struct LanguageText {
    TranslationKey key;
    QString text;
};

class LanguageTable {
public:
    // Builds a table with one entry per text, in the given order, each text
    // placed in the pool followed by a NUL. Characters without a Windows-1252
    // byte become '?' and clear *lossless; a text's NUL characters are dropped.
    static LanguageTable Build(const std::vector<LanguageText>& texts, const std::vector<LanguageAlias>& aliases = {},
                               bool* lossless = nullptr);

    // Reads the bytes of a whole file: LANG_OK or LANG_BAD_FILE (the table is
    // then empty). Refused: a wrong magic, counts that do not fit the bytes
    // given, an entry whose offset lies outside the pool, a text without a NUL
    // inside the pool. A header with N or T of 0 gives an empty table,
    // whatever its other counts say.
    int Parse(QByteArrayView bytes);

    // The file image: header with counts of what follows, text entries, alias
    // entries, pool.
    QByteArray Serialize() const;

    void Clear();
    bool IsEmpty() const { return m_texts.empty(); }

    // The text stored for exactly this key (8-bit, as in the pool), or nothing.
    std::optional<std::string_view> FindText(TranslationKey key) const;
    // The same text converted from Windows-1252, as shown and edited.
    std::optional<QString> FindDecodedText(TranslationKey key) const;
    // The alias target of key, or key itself when it has no alias.
    TranslationKey ResolveAlias(TranslationKey key) const;

    const std::vector<LanguageTextEntry>& Texts() const { return m_texts; }  // file order
    const std::vector<LanguageAlias>& Aliases() const { return m_aliases; }  // file order
    // The text of an entry of this table, as stored.
    std::string_view TextOf(const LanguageTextEntry& entry) const;
    QString DecodedTextOf(const LanguageTextEntry& entry) const;
    std::size_t PoolSize() const { return m_pool.size(); }

    friend bool operator==(const LanguageTable& a, const LanguageTable& b) {
        return a.m_texts == b.m_texts && a.m_aliases == b.m_aliases && a.m_pool == b.m_pool;
    }

private:
    void BuildIndexes();

    std::vector<LanguageTextEntry> m_texts;
    std::vector<LanguageAlias> m_aliases;
    std::string m_pool;
    std::vector<LanguageTextEntry> m_textIndex;  // sorted by key, file order among equal keys
    std::vector<LanguageAlias> m_aliasIndex;     // the same for aliases
};
