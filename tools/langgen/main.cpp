// langgen: makes the shipped language files from the program's own texts.
//   QT_QPA_PLATFORM=offscreen build/bin/langgen --write res/lang
//   QT_QPA_PLATFORM=offscreen build/bin/langgen --check res/lang
//   QT_QPA_PLATFORM=offscreen build/bin/langgen --shots <png dir> res/lang Deutsch
// writes (or compares with) VKX520Setup.lna, the base language, and
// Deutsch.lng, the German sample translation; --shots pictures the menus and
// dialogs in a language for review.
#include "tools/langgen/LanguageFiles.h"
#include "tools/langgen/Shots.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

struct LanguageFile {
    QString name;
    QByteArray bytes;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: langgen --write <dir>\n"
                 "       langgen --check <dir>\n"
                 "       langgen --shots <png dir> <language dir> <language>\n");
    return 2;
}

// Both files, or nothing when a German text is missing.
bool MakeFiles(std::vector<LanguageFile>& files) {
    const langgen::UiTextWalk walk = langgen::WalkProgramTexts();
    const LanguageTable base = langgen::BuildBaseTable(walk);
    QStringList missing;
    const LanguageTable german = langgen::BuildTranslation(base, langgen::GermanCatalogue(), &missing);
    for (const QString& text : missing) std::fprintf(stderr, "langgen: no German text for \"%s\"\n", qPrintable(text));
    std::fprintf(stderr, "langgen: %zu texts, %zu aliases, %zu shared-ID keys left untranslated\n", base.Texts().size(),
                 base.Aliases().size(), walk.ambiguous.size());
    files = {{QStringLiteral("VKX520Setup.lna"), base.Serialize()},
             {QStringLiteral("Deutsch.lng"), german.Serialize()}};
    return missing.isEmpty();
}

int Write(const QDir& dir, const std::vector<LanguageFile>& files) {
    if (!dir.mkpath(QStringLiteral("."))) return 1;
    for (const LanguageFile& file : files) {
        QSaveFile out(dir.filePath(file.name));
        if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size() || !out.commit()) {
            std::fprintf(stderr, "langgen: cannot write %s\n", qPrintable(out.fileName()));
            return 1;
        }
    }
    return 0;
}

int Check(const QDir& dir, const std::vector<LanguageFile>& files) {
    int stale = 0;
    for (const LanguageFile& file : files) {
        QFile committed(dir.filePath(file.name));
        if (committed.open(QIODevice::ReadOnly) && committed.readAll() == file.bytes) continue;
        std::fprintf(stderr, "langgen: %s is not current\n", qPrintable(committed.fileName()));
        ++stale;
    }
    return stale == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 4 && args[0] == "--shots") return langgen::WriteShots(args[2], args[3], args[1]) ? 0 : 1;
    if (args.size() != 2 || (args[0] != "--write" && args[0] != "--check")) return Usage();
    std::vector<LanguageFile> files;
    if (!MakeFiles(files)) return 1;
    return args[0] == "--write" ? Write(QDir(args[1]), files) : Check(QDir(args[1]), files);
}
