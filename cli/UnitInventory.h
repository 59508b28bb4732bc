// The inventory of `vkx520ctl write --units`: the units one template goes to,
// each with the fields that differ for it. One unit per line:
//
//   # comment
//   PORT [PATCH]
//
// PORT is what --port takes (no white space in it); PATCH, when given, is one
// JSON object whose keys are fields of the JSON form of a configuration
// (docs/json-format.md), either whole ("keyMap") or one value inside one
// ("outputModules[1].signals[0]", "inputModules[2].code"), each replacing that
// value of the template for this unit. Only what the device holds may be
// patched: inputModules, outputModules, panelInputMap, keyMap, audio and
// audioKinds. Blank lines and lines starting with # are skipped.
#pragma once

#include "cli/ConfigJson.h"

#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

struct InventoryUnit {
    int line = 0;  // counted from 1
    QString port;
    QJsonObject patch;  // empty: the template as it is
};

// The units of an inventory text (UTF-8). Nothing, with "line N: reason" in
// error, at the first line that is wrong: a patch that is no JSON object, a
// key that is no field path or names no field the device holds.
std::optional<std::vector<InventoryUnit>> ParseInventory(QByteArrayView text, QString& error);

// The configuration file of the template's JSON form (ConfigFileToJson) with
// the unit's patch applied, every field checked as import checks it; the
// error names the field ("outputModules[9]: no such field").
JsonImport ApplyUnitPatch(QJsonObject templateJson, const QJsonObject& patch);
