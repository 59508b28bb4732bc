// icongen writes the program's window icon as the hicolor PNG files that the
// desktop entry names, drawn by the same code as the window's icon, so the
// desktop and the running program show one picture, and beside them the icon
// of the configuration files' type:
//   QT_QPA_PLATFORM=offscreen build/bin/icongen res/icons
// With --check it writes nothing and fails when a committed file differs
// from what the window icon draws now (ctest icons_current).
#include "app/CommandIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

namespace {

// Processors round semi-transparent pixels differently by one step (their
// vector code converts premultiplied colours otherwise), so a committed icon
// drawn on one machine is current on another when no channel differs by more.
bool SameDrawing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int shift : {0, 8, 16, 24})
                if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > 1) return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const bool check = argc == 3 && qstrcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: icongen [--check] <folder>\n");
        return 64;
    }
    const QString root = QString::fromLocal8Bit(argv[argc - 1]);
    // The window icon under the desktop entry's name, and the configuration
    // file's icon under the name of its type, as shared-mime-info looks it up.
    const struct {
        QIcon icon;
        const char* context;
        const char* name;
    } icons[] = {{AppIcon(), "apps", "org.vkx520.VKX520Setup"},
                 {ConfigFileIcon(), "mimetypes", "application-x-vkx520-configuration"}};
    int wrong = 0;
    for (const auto& [icon, context, name] : icons) {
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString dir = QStringLiteral("%1/hicolor/%2x%2/%3").arg(root).arg(size).arg(QLatin1String(context));
            const QString file = dir + QStringLiteral("/%1.png").arg(QLatin1String(name));
            const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
            if (check) {
                if (!SameDrawing(QImage(file).convertToFormat(QImage::Format_ARGB32), image)) {
                    std::fprintf(stderr, "icongen: %s is not the icon as drawn now\n", qPrintable(file));
                    ++wrong;
                }
            } else if (!QDir().mkpath(dir) || image.size() != QSize(size, size) || !image.save(file, "PNG")) {
                std::fprintf(stderr, "icongen: cannot write %s\n", qPrintable(file));
                return 73;
            }
        }
    }
    return wrong == 0 ? 0 : 1;
}
