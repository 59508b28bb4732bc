// The inventory of a write to many units: what each line may hold, the line
// and reason of every refusal, and a unit's patch over the template.
#include "cli/UnitInventory.h"
#include "model/ConfigFile.h"
#include "skin/Skin.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(UnitInventory, LinesAreUnitsOrRefusedWithLineAndReason) {
    const struct {
        const char* text;
        const char* ports;  // the units' ports, space-separated, when accepted
        const char* error;
    } rows[] = {
        {"# rack room\n\n/dev/ttyUSB0\r\n  COM3  {\"keyMap[0]\": 2}\n", "/dev/ttyUSB0 COM3", ""},
        {"tcp://rack-a:2001\t{}\n", "tcp://rack-a:2001", ""},
        {"# nothing\n\n", "", "no unit is listed"},
        {"a\nb {\"keyMap\": [1,}\n", "", "line 2: keyMap: "},
        {"a {\"keyMap\": 1, \"keyMap\": 2}", "", "line 1: keyMap: given twice"},
        {"a [1]", "", "line 1: after the port, a JSON object was expected"},
        {"a {\"panelLabels[0]\": \"x\"}", "", "line 1: panelLabels[0]: not held by the device"},
        {"a {\"keyMap[-1]\": 2}", "", "line 1: keyMap[-1]: not a field path"},
        {"a {\"outputModules..code\": 2}", "", "line 1: outputModules..code: not a field path"},
    };
    for (const auto& row : rows) {
        QString error;
        const auto units = ParseInventory(QByteArray(row.text), error);
        QStringList ports;
        for (const InventoryUnit& unit : units.value_or(std::vector<InventoryUnit>{})) ports << unit.port;
        EXPECT_EQ(ports.join(u' '), QLatin1String(row.ports)) << row.text;
        EXPECT_TRUE(*row.error ? error.startsWith(QLatin1String(row.error)) : error.isEmpty()) << row.text << "\n"
                                                                                               << qPrintable(error);
    }
}

TEST(UnitInventory, APatchChangesItsFieldsAndNothingElse) {
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {33, 4};
    image.outputModules[1] = {176, {1, 2, 3, 4}};
    SetDefaultKeyMap(image);
    SetDefaultPanelInputMap(image);
    const char noLabels[kInputLabelBytes] = {};
    const std::optional<QJsonObject> json = ConfigFileToJson(SerializeConfigFile(image, noLabels, noLabels), CSkin());
    ASSERT_TRUE(json);
    QString error;
    const auto units = ParseInventory(
        "a {\"outputModules[1].signals[0]\": 9, \"keyMap[0]\": 2, \"keyMap[1]\": 1, \"inputModules[0]\": "
        "{\"code\": 12, \"inputs\": 2}}",
        error);
    ASSERT_TRUE(units) << qPrintable(error);
    const JsonImport patched = ApplyUnitPatch(*json, units->front().patch);
    ASSERT_TRUE(patched.ok()) << qPrintable(patched.error);
    ConfigImage expected = image;
    expected.outputModules[1].signal[0] = 9;
    std::swap(expected.keyMap[0], expected.keyMap[1]);
    expected.inputModules[0] = {12, 2};
    const std::optional<ConfigFileContents> file = ParseConfigFile(patched.fileBytes);
    ASSERT_TRUE(file);
    // The checksums are computed from the patched fields, as import does.
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        StoreBlockCrc(expected, block);
    EXPECT_EQ(std::memcmp(file->image.bytes(), expected.bytes(), kConfigImageSize), 0);

    // A path the template does not have, and a value import refuses.
    for (const auto& [patch, why] :
         {std::pair{"{\"keyMap[16]\": 1}", "keyMap[16]: no such field"},
          std::pair{"{\"inputModules[0].colour\": 1}", "inputModules[0].colour: no such field"},
          std::pair{"{\"keyMap[0]\": 3}", "keyMap: not a permutation"}}) {
        const auto unit = ParseInventory(QByteArray("a ") + patch, error);
        ASSERT_TRUE(unit) << qPrintable(error);
        const QString refused = ApplyUnitPatch(*json, unit->front().patch).error;
        EXPECT_TRUE(refused.startsWith(QLatin1String(why))) << patch;
        EXPECT_FALSE(refused.contains(QLatin1String("--force"))) << "write has no --force: " << qPrintable(refused);
    }
}

}  // namespace
