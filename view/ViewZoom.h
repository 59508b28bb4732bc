// The zoom of the configuration view: how layout coordinates (the skin's
// pixels, which painting, hit testing, tooltips and drags work in) map to the
// viewport's pixels and back. At 100 % every mapping is the identity, so the
// view behaves pixel for pixel as without zoom. Printing never uses it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

constexpr int kZoomMinPercent = 25;
constexpr int kZoomMaxPercent = 400;
constexpr int kZoomDefaultPercent = 100;

// The next step up or down from percent (25, 33, 50, 67, 75, 100, 125, 150,
// 200, 300, 400); from a value between steps, the nearest step that way.
int ZoomInStep(int percent);
int ZoomOutStep(int percent);
// percent limited to kZoomMinPercent .. kZoomMaxPercent.
int ClampZoom(int percent);
// The largest zoom (within the limits, never above 100 %) at which a layout of
// that size fits into the client area: the whole rack in the window.
int FitZoomPercent(QSize layout, QSize client);

class ViewZoom {
public:
    explicit ViewZoom(int percent = kZoomDefaultPercent) : m_percent(ClampZoom(percent)) {}

    int percent() const { return m_percent; }
    double factor() const { return m_percent / 100.0; }
    bool IsIdentity() const { return m_percent == 100; }

    // A viewport pixel (client point plus scroll position, in viewport pixels)
    // as a layout point: the layout pixel that covers it.
    QPoint ToLayout(QPoint viewPixel) const;
    // The viewport pixels whose layout point lies in the layout rectangle, so
    // that ToLayout of every pixel of the result lies inside it. An inverted
    // rectangle stays inverted.
    QRect ToView(const QRect& layoutRect) const;
    // A size in layout pixels in viewport pixels (rounded up).
    QSize ToView(QSize layoutSize) const;
    // The layout area a viewport rectangle shows (every layout pixel it touches).
    QRect ViewToLayout(const QRect& viewRect) const;
    // The client size in layout pixels, for centring a smaller layout.
    QSize LayoutClient(QSize client) const;

private:
    int m_percent;
};
