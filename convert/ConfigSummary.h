// What vkx520ctl show prints about a configuration: a readable summary, or
// one JSON object for programs. Module and signal names come from the skin
// when it knows them.
#pragma once

#include <QJsonObject>
#include <QString>

#include <cstdint>

class CMainDoc;
class CSkin;

// {"version", "inputModules": [{"slot","code","inputs","name"} x8],
//  "outputModules": [{"slot","code","signals":[4],"name"} x8], "panelInputMap": [16],
//  "keyMap": [16, as stored], "audio": [[8] x8], "audioKinds": [8],
//  "inputLabels": [[8] x8], "panelLabels": [16]}. Slots count from 0; labels are
// the stored texts ("" = default name); a name the skin lacks is null.
QJsonObject ConfigToJson(const CMainDoc& doc, uint32_t version, const CSkin& skin);
struct ConfigImage;
// The same for an image and its label tables as stored (8 x 8 x 20 and
// 16 x 20 bytes).
QJsonObject ConfigToJson(const ConfigImage& image, const char* inputLabels, const char* panelLabels, uint32_t version,
                         const CSkin& skin);

// Modules per slot (counted from 1), then each usable input with its label,
// key, panel input and embedded audio channel.
QString ConfigSummaryText(const CMainDoc& doc, const QString& fileName, uint32_t version, const CSkin& skin);
