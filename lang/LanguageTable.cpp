#include "lang/LanguageTable.h"

#include "base/CodePage.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr char kMagic[4] = {'L', 'A', 'N', 'G'};

struct Counts {
    uint32_t texts;
    uint32_t aliases;
    uint32_t pool;
};

uint32_t ReadU32(const char* at) { return qFromLittleEndian<uint32_t>(at); }

void AppendU32(QByteArray& out, uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// 64-bit arithmetic: the counts come from outside and may be anything.
uint64_t BodySize(const Counts& c) {
    return uint64_t(c.texts) * kLanguageEntrySize + uint64_t(c.aliases) * kLanguageEntrySize + c.pool;
}

// True when every offset lies in the pool and a NUL follows it inside the pool.
bool TextsAreTerminated(const std::vector<LanguageTextEntry>& texts, std::string_view pool) {
    const std::size_t lastNul = pool.rfind('\0');
    if (lastNul == std::string_view::npos) return texts.empty();
    return std::all_of(texts.begin(), texts.end(), [&](const LanguageTextEntry& e) { return e.offset <= lastNul; });
}

template <typename Entry>
void SortByKey(std::vector<Entry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
}

template <typename Entry>
const Entry* FindByKey(const std::vector<Entry>& sorted, TranslationKey key) {
    const auto it =
        std::lower_bound(sorted.begin(), sorted.end(), key, [](const Entry& e, TranslationKey k) { return e.key < k; });
    return it != sorted.end() && it->key == key ? &*it : nullptr;
}

}  // namespace

LanguageTable LanguageTable::Build(const std::vector<LanguageText>& texts, const std::vector<LanguageAlias>& aliases,
                                   bool* lossless) {
    LanguageTable table;
    bool exact = true;
    for (const LanguageText& t : texts) {
        bool converted = true;
        std::string bytes = ToCodePage(t.text, &converted);
        exact = exact && converted;
        std::erase(bytes, '\0');
        table.m_texts.push_back({t.key, uint32_t(table.m_pool.size())});
        table.m_pool += bytes;
        table.m_pool += '\0';
    }
    table.m_aliases = aliases;
    table.BuildIndexes();
    if (lossless) *lossless = exact;
    return table;
}

int LanguageTable::Parse(QByteArrayView bytes) {
    Clear();
    if (std::size_t(bytes.size()) < kLanguageHeaderSize) return LANG_BAD_FILE;
    const char* data = bytes.data();
    if (!std::equal(std::begin(kMagic), std::end(kMagic), data)) return LANG_BAD_FILE;
    const Counts counts{ReadU32(data + 4), ReadU32(data + 8), ReadU32(data + 12)};
    // Nothing to look up: whatever else the header says is never read.
    if (counts.texts == 0 || counts.pool == 0) return LANG_OK;
    if (BodySize(counts) > uint64_t(bytes.size()) - kLanguageHeaderSize) return LANG_BAD_FILE;

    const char* at = data + kLanguageHeaderSize;
    m_texts.reserve(counts.texts);
    for (uint32_t i = 0; i < counts.texts; ++i, at += kLanguageEntrySize)
        m_texts.push_back({ReadU32(at), ReadU32(at + 4)});
    m_aliases.reserve(counts.aliases);
    for (uint32_t i = 0; i < counts.aliases; ++i, at += kLanguageEntrySize)
        m_aliases.push_back({ReadU32(at), ReadU32(at + 4)});
    m_pool.assign(at, counts.pool);
    if (!TextsAreTerminated(m_texts, m_pool)) {
        Clear();
        return LANG_BAD_FILE;
    }
    BuildIndexes();
    return LANG_OK;
}

QByteArray LanguageTable::Serialize() const {
    QByteArray out;
    out.reserve(
        qsizetype(kLanguageHeaderSize + (m_texts.size() + m_aliases.size()) * kLanguageEntrySize + m_pool.size()));
    out.append(kMagic, 4);
    AppendU32(out, uint32_t(m_texts.size()));
    AppendU32(out, uint32_t(m_aliases.size()));
    AppendU32(out, uint32_t(m_pool.size()));
    out.append(qsizetype(kLanguageHeaderSize) - out.size(), '\0');
    for (const LanguageTextEntry& e : m_texts) {
        AppendU32(out, e.key);
        AppendU32(out, e.offset);
    }
    for (const LanguageAlias& a : m_aliases) {
        AppendU32(out, a.key);
        AppendU32(out, a.target);
    }
    out.append(m_pool.data(), qsizetype(m_pool.size()));
    return out;
}

void LanguageTable::Clear() { *this = LanguageTable(); }

void LanguageTable::BuildIndexes() {
    m_textIndex = m_texts;
    SortByKey(m_textIndex);
    m_aliasIndex = m_aliases;
    SortByKey(m_aliasIndex);
}

std::optional<std::string_view> LanguageTable::FindText(TranslationKey key) const {
    const LanguageTextEntry* entry = FindByKey(m_textIndex, key);
    if (!entry) return std::nullopt;
    return TextOf(*entry);
}

std::optional<QString> LanguageTable::FindDecodedText(TranslationKey key) const {
    const auto text = FindText(key);
    if (!text) return std::nullopt;
    return FromCodePage(*text);
}

TranslationKey LanguageTable::ResolveAlias(TranslationKey key) const {
    const LanguageAlias* alias = FindByKey(m_aliasIndex, key);
    return alias ? alias->target : key;
}

std::string_view LanguageTable::TextOf(const LanguageTextEntry& entry) const {
    // Offsets were checked when the table was read or built; stay safe anyway
    // for entries of another table.
    if (entry.offset >= m_pool.size()) return {};
    const std::string_view rest = std::string_view(m_pool).substr(entry.offset);
    return rest.substr(0, rest.find('\0'));
}

QString LanguageTable::DecodedTextOf(const LanguageTextEntry& entry) const { return FromCodePage(TextOf(entry)); }
