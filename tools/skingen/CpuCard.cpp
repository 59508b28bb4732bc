#include <QPainter>

#include "tools/skingen/CardParts.h"
#include "tools/skingen/Connectors.h"
#include "tools/skingen/FacePlate.h"
#include "tools/skingen/ModuleCards.h"

// The controller card between the input and the output modules: status
// LEDs, network and serial ports, reference and timecode inputs, GPI.
namespace skingen {
namespace {

constexpr int kCpuWidth = 128;
const QColor kCpuPlate(58, 60, 64);
const QColor kCpuBand(150, 22, 34);
const QColor kSilk(236, 236, 236);

void DrawStatusLeds(QPainter& p, int top) {
    const char* names[] = {"PWR", "RUN", "COM", "REF", "ERR", "FAN"};
    const QColor colours[] = {QColor(60, 235, 90), QColor(60, 235, 90), QColor(255, 170, 30),
                              QColor(60, 235, 90), QColor(255, 50, 40), QColor(60, 235, 90)};
    const bool lit[] = {true, true, true, true, false, true};
    for (int i = 0; i < 6; ++i) {
        const int col = i % 2, row = i / 2;
        const QPointF c(18 + col * 56, top + 8 + row * 18);
        Led(p, c, 3.0, colours[i], lit[i]);
        Silk(p, QRectF(c.x() + 8, c.y() - 6, 40, 12), names[i], 8, kSilk, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void Caption(QPainter& p, int top, const QString& text) {
    Silk(p, QRectF(6, top, kCpuWidth - 12, 10), text, 8, kSilk, Qt::AlignHCenter | Qt::AlignVCenter);
}

}  // namespace

int CpuCardWidth() { return kCpuWidth; }

void DrawCpuCard(ConfigDef& cfg) {
    cfg.image = QImage(kCpuWidth, kCardHeight, QImage::Format_RGB32);
    DrawCardBody(cfg.image, kCpuPlate, kCpuBand, cfg.picture);
    DrawCardHead(cfg.image, "CPU-520", "CONTROLLER", "RS-232 / LAN", cfg, false, kSilk);
    QPainter p(&cfg.image);
    DrawStatusLeds(p, 84);
    Caption(p, 138, "LAN");
    DrawRj45(p, QRect(kCpuWidth / 2 - 18, 150, 36, 30));
    Caption(p, 186, "RS-232");
    DrawDb9(p, QRect(kCpuWidth / 2 - 38, 198, 76, 26));
    Caption(p, 232, "REF IN        LOOP");
    DrawBnc(p, QRect(20, 244, 30, 30));
    DrawBnc(p, QRect(kCpuWidth - 50, 244, 30, 30));
    SilkLine(p, QPointF(52, 259), QPointF(kCpuWidth - 52, 259), kSilk, 1.0);
    Caption(p, 282, "LTC IN");
    DrawXlrFemale(p, QRect(kCpuWidth / 2 - 18, 294, 36, 36));
    Caption(p, 338, "GPI 1-4  GND");
    DrawTerminalBlock(p, QRect(kCpuWidth / 2 - 40, 350, 80, 20), 6);
    p.end();
    DrawCardBrand(cfg.image, kSilk);
    // The whole card stands for itself: it has no inputs of its own.
    cfg.area = QRect(0, 0, kCpuWidth, kCardHeight);
}

}  // namespace skingen
