#include "view/ViewZoom.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::array<int, 11> kSteps{25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};

// Integer division rounding down and up, for negative values too (a
// centred layout never starts left of 0, but a skin area may).
int FloorDiv(int64_t a, int64_t b) { return int(a / b - ((a % b != 0) && ((a < 0) != (b < 0)))); }
int CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

}  // namespace

int ClampZoom(int percent) { return std::clamp(percent, kZoomMinPercent, kZoomMaxPercent); }

int ZoomInStep(int percent) {
    const auto it = std::upper_bound(kSteps.begin(), kSteps.end(), percent);
    return it == kSteps.end() ? kZoomMaxPercent : *it;
}

int ZoomOutStep(int percent) {
    const auto it = std::lower_bound(kSteps.begin(), kSteps.end(), percent);
    return it == kSteps.begin() ? kZoomMinPercent : *(it - 1);
}

int FitZoomPercent(QSize layout, QSize client) {
    if (layout.width() <= 0 || layout.height() <= 0) return kZoomDefaultPercent;
    const int across = int(int64_t(std::max(0, client.width())) * 100 / layout.width());
    const int down = int(int64_t(std::max(0, client.height())) * 100 / layout.height());
    return ClampZoom(std::min({across, down, kZoomDefaultPercent}));
}

QPoint ViewZoom::ToLayout(QPoint viewPixel) const {
    return {FloorDiv(int64_t(viewPixel.x()) * 100, m_percent), FloorDiv(int64_t(viewPixel.y()) * 100, m_percent)};
}

QRect ViewZoom::ToView(const QRect& layoutRect) const {
    const auto edge = [this](int v) { return CeilDiv(int64_t(v) * m_percent, 100); };
    const int left = edge(layoutRect.left()), top = edge(layoutRect.top());
    // right() and bottom() are the last pixels inside: the edges are one further.
    return QRect(QPoint(left, top), QPoint(edge(layoutRect.right() + 1) - 1, edge(layoutRect.bottom() + 1) - 1));
}

QSize ViewZoom::ToView(QSize layoutSize) const {
    return {CeilDiv(int64_t(layoutSize.width()) * m_percent, 100),
            CeilDiv(int64_t(layoutSize.height()) * m_percent, 100)};
}

QRect ViewZoom::ViewToLayout(const QRect& viewRect) const {
    return QRect(ToLayout(viewRect.topLeft()), ToLayout(viewRect.bottomRight()));
}

QSize ViewZoom::LayoutClient(QSize client) const {
    return {int(int64_t(client.width()) * 100 / m_percent), int(int64_t(client.height()) * 100 / m_percent)};
}
