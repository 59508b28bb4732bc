#pragma once
// Connectors as seen from the rear of the frame. Each is drawn to fill the
// given rectangle exactly, so the rectangle is the connector's hot area.
#include <QColor>
#include <QPainter>
#include <QRect>

namespace skingen {

enum class BncStyle { Plain, Capped };

// Bulkhead BNC jack on its hex nut and round flange washer; ring (if valid)
// colours the washer as a marker.
void DrawBnc(QPainter& p, const QRect& r, BncStyle style = BncStyle::Plain, const QColor& ring = QColor());
// HDMI type A receptacle, wide side up; capped ones carry a black dust plug.
void DrawHdmi(QPainter& p, const QRect& r, bool capped = false);
// SFP cage with a duplex LC transceiver; bale colour marks the fibre kind.
void DrawSfpLc(QPainter& p, const QRect& r, const QColor& bale, bool capped = false);
// DVI-I receptacle with its two jack screws.
void DrawDvi(QPainter& p, const QRect& r);
// Female XLR panel socket with latch.
void DrawXlrFemale(QPainter& p, const QRect& r);
// RJ45 jack with link and activity LEDs.
void DrawRj45(QPainter& p, const QRect& r);
// 9-pin D-sub plug with hex standoffs.
void DrawDb9(QPainter& p, const QRect& r);
// Pluggable screw terminal block.
void DrawTerminalBlock(QPainter& p, const QRect& r, int poles);
// Outline of a connector the program does not know.
void DrawUnknownSocket(QPainter& p, const QRect& r);

}  // namespace skingen
