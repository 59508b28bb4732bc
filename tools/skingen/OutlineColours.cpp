#include "tools/skingen/OutlineColours.h"

#include <algorithm>
#include <array>
#include <vector>

#include "tools/skingen/Quantize.h"

namespace skingen {

QList<QPoint> OutlinePixels(const QRect& area, const QRect& bounds) {
    // The pen is centred half a pixel inside the area's edge: it covers one
    // pixel outside the area and two inside.
    const QRect outer = area.adjusted(-1, -1, 1, 1), inner = area.adjusted(2, 2, -2, -2);
    QList<QPoint> pixels;
    for (int y = outer.top(); y <= outer.bottom(); ++y)
        for (int x = outer.left(); x <= outer.right(); ++x)
            if (!inner.contains(QPoint(x, y)) && bounds.contains(QPoint(x, y))) pixels.append(QPoint(x, y));
    return pixels;
}

QRgb PlateUnderOutlines(const QImage& picture, const QList<QRect>& areas) {
    std::array<std::vector<int>, 3> channels;
    const auto add = [&](QPoint p) {
        const QRgb c = picture.pixel(p);
        channels[0].push_back(qRed(c));
        channels[1].push_back(qGreen(c));
        channels[2].push_back(qBlue(c));
    };
    for (const QRect& area : areas)
        for (QPoint p : OutlinePixels(area, picture.rect())) add(p);
    if (channels[0].empty())
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) add(QPoint(x, y));
    if (channels[0].empty()) return qRgb(0, 0, 0);
    std::array<int, 3> median{};
    for (std::size_t i = 0; i < 3; ++i) {
        auto middle = channels[i].begin() + std::ptrdiff_t(channels[i].size() / 2);
        std::nth_element(channels[i].begin(), middle, channels[i].end());
        median[i] = *middle;
    }
    return qRgb(median[0], median[1], median[2]);
}

void ChooseOutlineColours(ConfigDef& cfg) {
    QList<QRect> areas;
    for (const AreaDef& a : cfg.inputs) areas.append(a.rect);
    for (const AreaDef& a : cfg.audio) areas.append(a.rect);
    const QImage written =
        cfg.palette8 ? QuantizeToIndexed8(cfg.image).convertToFormat(QImage::Format_RGB32) : cfg.image;
    const QRgb plate = PlateUnderOutlines(written, areas);
    cfg.selectedPen = XorPen(plate, kLinkedLook);
    cfg.focusedPen = XorPen(plate, kFocusedLook);
    cfg.dropTargetPen = XorPen(plate, kDropTargetLook);
}

}  // namespace skingen
