#pragma once
// Rear plug-in cards of the frame: input and output modules, the CPU card
// and the plates shown for modules the program does not know. All cards
// share one height so the module row lines up like a populated frame.
#include <QColor>
#include <QString>
#include <QStringList>

#include "tools/skingen/SkinModel.h"

namespace skingen {

constexpr int kCardHeight = 440;

enum class Port { SdiBnc, CvbsBnc, ComponentBnc, Hdmi, SfpSingle, SfpMulti, Dvi, Unknown };

struct CardSpec {
    QString model;   // model code printed on the band, e.g. "SDI-8 IN"
    QString title;   // function printed under the band
    QString detail;  // configuration printed under the title
    bool output = false;
    Port port = Port::SdiBnc;
    int positions = 8;   // connector positions on the plate
    int live = 8;        // positions in use; the rest carry dust caps
    bool audio = false;  // embedded audio indicator per input
    QString portType;    // type text of each input or output
    QString audioType;   // type text of each embedded audio channel
};

int InputCardWidth();
int OutputCardWidth(const QStringList& signalNames);
int CpuCardWidth();

// Draws the picture of cfg and fills its area, labels, inputs and audio.
void DrawModuleCard(const CardSpec& card, int width, const QStringList& signalNames, ConfigDef& cfg);
void DrawCpuCard(ConfigDef& cfg);
void DrawUnknownCard(bool output, int width, const QStringList& signalNames, ConfigDef& cfg);

}  // namespace skingen
