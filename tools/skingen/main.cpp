// skingen: draws the shipped skin (pictures and modules.xml), checks a
// written skin against the catalogue, and renders a contact sheet of it.
//   skingen --write <skin dir>
//   skingen --check <skin dir>
//   skingen --sheet <png> <skin dir> [--preview <png>]
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "tools/skingen/ContactSheet.h"
#include "tools/skingen/SkinCheck.h"
#include "tools/skingen/SkinXml.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: skingen --write <skin dir>\n"
                 "       skingen --check <skin dir>\n"
                 "       skingen --sheet <sheet.png> <skin dir> [--preview <preview.png>]\n");
    return 2;
}

int Write(const QString& dir) {
    QString error;
    if (!skingen::WriteSkin(skingen::BuildCatalogue(), dir, &error)) {
        std::fprintf(stderr, "skingen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

int Check(const QString& dir) {
    const QStringList problems = skingen::CheckSkin(dir, skingen::BuildCatalogue());
    for (const QString& problem : problems) std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::fprintf(stderr, "skingen: %lld problem(s) in %s\n", static_cast<long long>(problems.size()), qPrintable(dir));
    return problems.isEmpty() ? 0 : 1;
}

int Sheet(const QString& png, const QString& dir, const QString& previewPng) {
    const skingen::LoadedSkin read = skingen::LoadSkin(dir);
    for (const QString& problem : read.problems) std::fprintf(stderr, "%s\n", qPrintable(problem));
    if (!read.loaded) return 1;
    if (!skingen::RenderContactSheet(read.skin, skingen::BuildCatalogue()).save(png)) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(png));
        return 1;
    }
    if (!previewPng.isEmpty() && !skingen::RenderViewPreview(read.skin).save(previewPng)) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(previewPng));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == "--write") return Write(args[1]);
    if (args.size() == 2 && args[0] == "--check") return Check(args[1]);
    if (args.size() == 3 && args[0] == "--sheet") return Sheet(args[1], args[2], QString());
    if (args.size() == 5 && args[0] == "--sheet" && args[3] == "--preview") return Sheet(args[1], args[2], args[4]);
    return Usage();
}
