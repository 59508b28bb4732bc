// Feeds arbitrary bytes to LoadLanguageTable as a language file. A loaded table
// must answer every lookup from inside its pool and survive a write/read round
// trip unchanged.
#include "lang/LanguageManager.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

struct Workspace {
    QTemporaryDir dir;
    LanguageManager languages;
    Workspace() { languages.SetProgramLocation(dir.path(), QStringLiteral("fuzz")); }
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
    {
        QFile file(workspace.dir.filePath(QStringLiteral("fuzz.lng")));
        if (!file.open(QIODevice::WriteOnly)) std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    LanguageTable table;
    const int result = workspace.languages.LoadLanguageTable(table, QStringLiteral("fuzz"), QStringLiteral(".lng"));
    Check(result == LANG_OK || result == LANG_BAD_FILE);
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
