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

// The raster engine's SIMD paths round antialiased edges differently from
// one processor to the next, by a step or two per channel; a drawing that
// changed differs by far more somewhere.
bool SameDrawing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    constexpr int kRoundingSteps = 2;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            for (const int shift : {0, 8, 16, 24}) {
                const int channelA = int((rowA[x] >> shift) & 0xFF);
                const int channelB = int((rowB[x] >> shift) & 0xFF);
                if (std::abs(channelA - channelB) > kRoundingSteps) return false;
            }
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
