#include "skin/Skin.h"

#include "base/ProgramPaths.h"

#include <cstdint>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int ReadSkinDecimal(const char* text) {
    if (!text) return 0;
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    // Accumulate in 64 bits and stop growing once past the 32-bit range.
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int>::max()) + 1;
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= kLimit) value = value * 10 + (*text - '0');
    }
    if (negative) return value >= kLimit ? std::numeric_limits<int>::min() : int(-value);
    return value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : int(value);
}

uint32_t ReadSkinNumber(const char* text) {
    if (!text) return 0;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && text[2] != '\0';
    if (!hex) return uint32_t(ReadSkinDecimal(text));
    uint64_t value = 0;
    for (const char* p = text + 2; HexDigitValue(*p) >= 0; ++p) {
        value = value * 16 + uint64_t(HexDigitValue(*p));
        if (value > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    }
    return uint32_t(value);
}

int CSkinModule::FindConfigIndex(int id) const {
    for (std::size_t i = 0; i < m_configs.size(); ++i) {
        if (m_configs[i].m_id == id) return int(i);
    }
    return -1;
}

const CSkinConfig* CSkinModule::GetConfig(int index) const {
    if (index < 0 || std::size_t(index) >= m_configs.size()) return nullptr;
    return &m_configs[std::size_t(index)];
}

const CSkinModule* CSkin::FindModuleByConfigID(int id) const {
    for (const CSkinModule& module : m_modules) {
        if (module.FindConfigIndex(id) >= 0) return &module;
    }
    return nullptr;
}

const CSkinConfig* CSkin::FindConfig(int id) const {
    const CSkinModule* module = FindModuleByConfigID(id);
    return module ? module->GetConfig(module->FindConfigIndex(id)) : nullptr;
}

QString CSkin::ConfigName(int id) const {
    const CSkinConfig* config = FindConfig(id);
    return config ? config->m_name : QString();
}

void CSkin::Clear() {
    m_modules.clear();
    m_signalNames.clear();
    m_fileError = FileError::None;
    m_missingPictures.clear();
}

QString DefaultSkinPath() { return DataFolder() + QStringLiteral("/modules.xml"); }

QString SkinPicturePath(const QString& skinDir, const QString& pictureName) {
    QString name = pictureName;
    name.replace(u'\\', u'/');
    return skinDir + u'/' + name;
}
