// Times a full repaint of the configuration view (background, pictures,
// labels, outlines) with all sixteen module slots filled, and compares it with
// blitting the item pictures alone, measured alternately in the same run.
//
//   bench_paint [runs] [--png file]   (--png also writes the painted layout)

#include "BenchMedian.h"

#include "render/ConfigPainter.h"
#include "support/PaintScene.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const QSize kScreen(1920, 1080);

struct Scene {
    CSkin skin;
    CMainDoc doc;
    SkinLayout layout;
    PaintSelection selection;
};

// Key 2 selected with its input and panel input marked, key 5 the drop target.
void SelectKey(Scene& scene) {
    auto& items = scene.layout.items();
    const int key = 2, input = scene.doc.GetInputOfKey(key);
    scene.selection = PaintSelection{0, key, 0, 5};
    items[0].mask = 1u << key;
    const int module = scene.layout.FindInputModuleItem(scene.doc.GetSlotOfInput(input));
    if (module >= 0) {
        items[std::size_t(module)].mask |= 1u << scene.doc.GetLocalIndex(input);
        items[std::size_t(module)].mask |= 1u << (SUBITEM_AUDIO + scene.doc.GetLocalIndex(input));
    }
}

void FullRepaint(QImage& target, const Scene& scene, QSize client) {
    QPainter painter(&target);
    const QRect clip(QPoint(0, 0), target.size());
    EraseBackground(painter, scene.layout, client, clip);
    PaintConfiguration(painter, scene.layout, scene.skin, scene.doc, client, clip, scene.selection, true);
}

// The baseline: each visible item's picture drawn 1:1, nothing else.
void BlitPictures(QImage& target, const Scene& scene, QSize client) {
    QPainter painter(&target);
    const QRect clip(QPoint(0, 0), target.size());
    QRect r;
    for (int i = 0; i < int(scene.layout.items().size()); ++i) {
        if (!scene.layout.GetItemRect(i, r, SUBITEM_WHOLE, client) || !r.intersects(clip)) continue;
        if (const CSkinConfig* config = scene.layout.items()[std::size_t(i)].config())
            painter.drawImage(r.topLeft(), config->m_picture.image());
    }
}

template <typename F>
double TimeMs(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Measure(const char* name, const Scene& scene, QSize size, int runs) {
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> paint, blit;
    for (int i = 0; i < runs; ++i) {
        paint.push_back(TimeMs([&] { FullRepaint(target, scene, size); }));
        blit.push_back(TimeMs([&] { BlitPictures(target, scene, size); }));
    }
    const double p = Median(paint), b = Median(blit);
    std::printf("%-28s %4dx%-4d  full repaint %.3f ms  pictures only %.3f ms  ratio %.2f  (median of %d)\n", name,
                size.width(), size.height(), p, b, b > 0 ? p / b : 0.0, runs);
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 200;
    const char* png = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
            png = argv[++i];
        else
            runs = std::max(1, std::atoi(argv[i]));
    }
    Scene scene;
    scene.skin.LoadSkinFile(ShippedSkinPath());
    if (scene.skin.IsEmpty() || !SetUpFullDocument(scene.doc, scene.skin)) {
        std::fprintf(stderr, "cannot set up the shipped skin at %s\n", qPrintable(ShippedSkinPath()));
        return 1;
    }
    scene.layout.BuildLayout(scene.skin, scene.doc);
    SelectKey(scene);
    std::printf("layout %dx%d, %zu items\n", scene.layout.size().width(), scene.layout.size().height(),
                scene.layout.items().size());

    for (int warm = 0; warm < 3; ++warm) {  // fonts and glyph caches
        QImage target(kScreen, QImage::Format_ARGB32_Premultiplied);
        FullRepaint(target, scene, kScreen);
    }
    Measure("screen-sized window", scene, kScreen, runs);
    Measure("whole layout", scene, scene.layout.size(), runs);

    if (png) {
        QImage shot(scene.layout.size(), QImage::Format_RGB32);
        FullRepaint(shot, scene, shot.size());
        if (!shot.save(QString::fromLocal8Bit(png))) {
            std::fprintf(stderr, "cannot write %s\n", png);
            return 1;
        }
        std::printf("wrote %s\n", png);
    }
    return 0;
}
