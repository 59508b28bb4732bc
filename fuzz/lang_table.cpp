// Feeds arbitrary bytes to LoadLanguageTable as a language file. The file must
// load as its bytes parse, and a loaded table must answer every lookup from
// inside its pool and survive a write/read round trip unchanged.
#include "fuzz/FuzzInputFile.h"
#include "lang/LanguageManager.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Workspace {
    LanguageManager languages;
    Workspace() { languages.SetProgramLocation(FuzzFolder(), QStringLiteral("fuzz")); }
};

void Check(bool condition) {
    if (!condition) std::abort();
}

void ExerciseLookups(const LanguageTable& table) {
    for (const LanguageTextEntry& entry : table.Texts()) {
        Check(table.FindText(entry.key).has_value());
        Check(table.TextOf(entry).size() < table.PoolSize());
        (void)table.DecodedTextOf(entry);
    }
    for (const LanguageAlias& alias : table.Aliases()) (void)table.FindText(table.ResolveAlias(alias.key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Workspace workspace;
    WriteFuzzFile(QStringLiteral("fuzz.lng"), data, size);
    LanguageTable table;
    const int result = workspace.languages.LoadLanguageTable(table, QStringLiteral("fuzz"), QStringLiteral(".lng"));
    Check(result == LANG_OK || result == LANG_BAD_FILE);
    LanguageTable parsed;
    Check(parsed.Parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))) == result);
    Check(parsed == table);
    if (result != LANG_OK) {
        Check(table.IsEmpty());
        return 0;
    }
    ExerciseLookups(table);
    LanguageTable again;
    Check(again.Parse(table.Serialize()) == LANG_OK);
    Check(again == table);
    return 0;
}
