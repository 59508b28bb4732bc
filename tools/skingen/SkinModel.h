#pragma once
// The skin as the generator builds it: modules, configurations with their
// rendered pictures, hot areas and label boxes, and the output signal names.
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

// The reserved configuration IDs (card, panels, fall-backs) are the program's.
#include "skin/Skin.h"

namespace skingen {

constexpr const char* kLabelFont = "Arial";

struct LabelStyle {
    int fontSize = 11;  // cell height in pixels
    QRgb color = 0;     // text
    QRgb back = 0;      // box and text background
    QRgb disabled = 0;  // box of an unusable input
};

// What the program writes into a label box; decides the longest text it must hold.
enum class LabelText { SlotNumber, InputNumber, OutputNumber, UserLabel, SignalName };

struct LabelBox {
    QRect box;
    LabelStyle style;
    LabelText text = LabelText::UserLabel;  // generator's knowledge only, not in the file
    QString font = kLabelFont;
};

struct AreaDef {
    QString type;
    QRect rect;
    QList<LabelBox> labels;
};

struct ConfigDef {
    int id = 0;
    QString name;
    int minInputs = 0;
    int maxInputs = 0;
    QRect area;  // the part that stands for the module as a whole
    QString picture;
    bool palette8 = true;  // written as an 8-bit palette file, else 24-bit
    QList<LabelBox> labels;
    QList<AreaDef> inputs;
    QList<AreaDef> audio;
    QImage image;
    // XOR pens of the outlines ("Selected", "Focused", "DropTarget"), chosen
    // from the picture by ChooseOutlineColours.
    QRgb selectedPen = 0;
    QRgb focusedPen = 0;
    QRgb dropTargetPen = 0;
};

struct ModuleDef {
    QString type;
    int audio = 0;
    QList<ConfigDef> configs;
};

struct Catalogue {
    QStringList signalNames;
    QList<ModuleDef> modules;
};

// Builds the complete catalogue with every picture drawn.
Catalogue BuildCatalogue();

}  // namespace skingen
