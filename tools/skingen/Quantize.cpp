#include "tools/skingen/Quantize.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <vector>

namespace skingen {
namespace {

// Colours are bucketed at 6 bits per channel before the cut; the palette
// entries are the exact means of the pixels in each box.
struct Bucket {
    int key = 0;
    int channel[3] = {0, 0, 0};  // 6-bit red, green, blue
    qint64 count = 0;
    qint64 sum[3] = {0, 0, 0};  // 8-bit sums
};

struct Box {
    std::vector<int> buckets;  // indexes into the bucket list
    qint64 count = 0;
};

int BucketKey(QRgb c) { return ((qRed(c) >> 2) << 12) | ((qGreen(c) >> 2) << 6) | (qBlue(c) >> 2); }

std::vector<Bucket> Histogram(const QImage& image) {
    std::vector<int> slot(1 << 18, -1);
    std::vector<Bucket> buckets;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int key = BucketKey(row[x]);
            if (slot[key] < 0) {
                slot[key] = int(buckets.size());
                buckets.push_back({key, {key >> 12, (key >> 6) & 63, key & 63}, 0, {0, 0, 0}});
            }
            Bucket& b = buckets[size_t(slot[key])];
            ++b.count;
            b.sum[0] += qRed(row[x]);
            b.sum[1] += qGreen(row[x]);
            b.sum[2] += qBlue(row[x]);
        }
    }
    return buckets;
}

// Longest channel range of a box, and which channel it is.
std::pair<int, int> LongestAxis(const Box& box, const std::vector<Bucket>& buckets) {
    std::array<int, 3> lo{63, 63, 63}, hi{0, 0, 0};
    for (int i : box.buckets)
        for (int c = 0; c < 3; ++c) {
            lo[size_t(c)] = std::min(lo[size_t(c)], buckets[size_t(i)].channel[c]);
            hi[size_t(c)] = std::max(hi[size_t(c)], buckets[size_t(i)].channel[c]);
        }
    int axis = 0;
    for (int c = 1; c < 3; ++c)
        if (hi[size_t(c)] - lo[size_t(c)] > hi[size_t(axis)] - lo[size_t(axis)]) axis = c;
    return {hi[size_t(axis)] - lo[size_t(axis)], axis};
}

void SplitBox(std::vector<Box>& boxes, size_t which, int axis, const std::vector<Bucket>& buckets) {
    Box& box = boxes[which];
    std::sort(box.buckets.begin(), box.buckets.end(),
              [&](int a, int b) { return buckets[size_t(a)].channel[axis] < buckets[size_t(b)].channel[axis]; });
    qint64 seen = 0;
    size_t cut = 1;
    for (; cut < box.buckets.size(); ++cut) {
        seen += buckets[size_t(box.buckets[cut - 1])].count;
        if (2 * seen >= box.count) break;
    }
    cut = std::min(cut, box.buckets.size() - 1);
    Box upper;
    upper.buckets.assign(box.buckets.begin() + qsizetype(cut), box.buckets.end());
    box.buckets.resize(cut);
    for (int i : upper.buckets) upper.count += buckets[size_t(i)].count;
    box.count -= upper.count;
    boxes.push_back(std::move(upper));
}

std::vector<Box> MedianCut(const std::vector<Bucket>& buckets, int maxColours) {
    std::vector<Box> boxes(1);
    for (size_t i = 0; i < buckets.size(); ++i) {
        boxes[0].buckets.push_back(int(i));
        boxes[0].count += buckets[i].count;
    }
    while (int(boxes.size()) < maxColours) {
        size_t best = boxes.size();
        double bestScore = 0;
        int bestAxis = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].buckets.size() < 2) continue;
            const auto [range, axis] = LongestAxis(boxes[i], buckets);
            const double score = double(range) * double(boxes[i].count);
            if (score > bestScore) best = i, bestScore = score, bestAxis = axis;
        }
        if (best == boxes.size()) break;
        SplitBox(boxes, best, bestAxis, buckets);
    }
    return boxes;
}

QImage MapToPalette(const QImage& image, const QList<QRgb>& palette) {
    QImage out(image.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            auto it = nearest.constFind(c);
            if (it == nearest.constEnd()) {
                int best = 0, bestDistance = INT_MAX;
                for (int i = 0; i < palette.size(); ++i) {
                    const int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                              db = qBlue(c) - qBlue(palette[i]);
                    const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (distance < bestDistance) best = i, bestDistance = distance;
                }
                it = nearest.insert(c, uchar(best));
            }
            dst[x] = *it;
        }
    }
    return out;
}

QList<QRgb> ExactColours(const QImage& image, int maxColours) {
    QList<QRgb> colours;
    QHash<QRgb, bool> seen;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            if (seen.contains(c)) continue;
            if (colours.size() == maxColours) return {};
            seen.insert(c, true);
            colours.append(c);
        }
    }
    return colours;
}

}  // namespace

QImage QuantizeToIndexed8(const QImage& source, int maxColours) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> palette = ExactColours(image, maxColours);
    if (palette.isEmpty()) {
        const std::vector<Bucket> buckets = Histogram(image);
        for (const Box& box : MedianCut(buckets, maxColours)) {
            qint64 sum[3] = {0, 0, 0};
            for (int i : box.buckets)
                for (int c = 0; c < 3; ++c) sum[c] += buckets[size_t(i)].sum[c];
            palette.append(qRgb(int(sum[0] / box.count), int(sum[1] / box.count), int(sum[2] / box.count)));
        }
    }
    return MapToPalette(image, palette);
}

}  // namespace skingen
