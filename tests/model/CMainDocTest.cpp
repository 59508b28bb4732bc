#include "model/CMainDoc.h"
#include "lang/UiText.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class DocTest : public ::testing::Test {
protected:
    RecordingPresenter recorder;
    CMainDoc doc;
};

TEST_F(DocTest, InputNumberingAcrossSlots) {
    doc.SetInputModule(0, 10, 4);
    doc.SetInputModule(1, 0, 0);
    doc.SetInputModule(2, 12, 8);
    EXPECT_EQ(doc.GetSlotOfInput(4), 2);
    EXPECT_EQ(doc.GetLocalIndex(4), 0);
    EXPECT_EQ(doc.GetInputNumber(2, 3), 7);
    EXPECT_EQ(doc.GetSlotOfInput(12), 8);
    EXPECT_EQ(doc.GetLocalIndex(12), 0);
    EXPECT_EQ(doc.GetSlotOfInput(3), 0);
    EXPECT_EQ(doc.GetTotalInputs(true), 12);
}

TEST_F(DocTest, TwentyInputsCapAtSixteenAndWarnOnceUntilReset) {
    // What the view does after a change: show the warning when it is due.
    const auto warn = [this] {
        if (doc.TakeInputLimitWarning()) ShowWarnings({IDS_INPUT_LIMIT});
    };
    doc.SetInputModule(0, 10, 8);
    doc.SetInputModule(1, 10, 8);
    doc.SetInputModule(2, 11, 4);
    EXPECT_EQ(doc.GetTotalInputs(true), 20);
    EXPECT_EQ(doc.GetTotalInputs(false), 16);
    warn();
    warn();
    EXPECT_EQ(recorder.ids(), std::vector<unsigned>{10042});
    EXPECT_EQ(recorder.messages()[0].style, unsigned(MB_ICONEXCLAMATION));
    EXPECT_TRUE(doc.inputLimitWarned());
    doc.ResetConfig();
    EXPECT_FALSE(doc.inputLimitWarned());
    doc.SetInputModule(0, 10, 8);
    doc.SetInputModule(1, 10, 8);
    doc.SetInputModule(2, 11, 4);
    warn();
    EXPECT_EQ(recorder.messages().size(), 2u);
}

TEST_F(DocTest, CountsAboveEightNeverReachPastASlotRow) {
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {10, 200};
    image.inputModules[1] = {11, 9};
    ASSERT_TRUE(doc.ReadCfg(image, true));
    EXPECT_EQ(doc.GetInputCount(0), 8);
    EXPECT_EQ(doc.GetInputCount(1), 8);
    EXPECT_EQ(doc.image().inputModules[0].count, 200) << "the stored byte is carried unchanged";
    EXPECT_EQ(doc.GetSlotOfInput(8), 1);
    doc.SetInputModule(2, 12, 12);
    EXPECT_EQ(doc.image().inputModules[2].count, 8);
}

TEST_F(DocTest, ConfigModifiedOnlyWhenAValueChanges) {
    doc.SetInputModule(0, 10, 4);
    EXPECT_TRUE(doc.configModified());
    CMainDoc fresh;
    fresh.SetOutputSignal(1, 2, 0);
    fresh.SetOutputModuleCode(3, 0);
    fresh.SetAudioSetting(0, 0, 0);
    fresh.SetPanelInputOfInput(5, 0);  // a cleared record links every input to panel input 0
    fresh.SetInputModule(4, 0, 0);
    EXPECT_FALSE(fresh.configModified());
    fresh.SetAudioSetting(0, 0, 5);
    EXPECT_TRUE(fresh.configModified());
    EXPECT_FALSE(fresh.labelsModified());
}

TEST_F(DocTest, AssignKeyKeepsAPermutation) {
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {10, 8};
    for (int n = 0; n < 16; ++n) image.keyMap[n] = uint8_t(n + 1);
    doc.ReadCfg(image, true);

    doc.AssignKey(3, 3);
    EXPECT_FALSE(doc.configModified()) << "the key is already on that input";

    doc.AssignKey(5, 2);  // input 2 had key 2; input 5 gets it
    EXPECT_EQ(doc.GetKeyOfInput(2), 5);
    EXPECT_EQ(doc.GetKeyOfInput(5), 2);
    EXPECT_EQ(doc.GetInputOfKey(5), 2);
    EXPECT_TRUE(doc.configModified());
    std::vector<int> keys;
    for (int n = 0; n < 16; ++n) keys.push_back(doc.GetKeyOfInput(n));
    std::sort(keys.begin(), keys.end());
    for (int k = 0; k < 16; ++k) EXPECT_EQ(keys[k], k);
}

TEST_F(DocTest, KeyNobodyHoldsChangesNothing) {
    EXPECT_EQ(doc.GetInputOfKey(3), 16) << "an all-zero key map holds no key";
    doc.AssignKey(3, 0);
    EXPECT_FALSE(doc.configModified());
}

TEST_F(DocTest, ShrinkingAModuleResetsPanelLinksOfInputsOutOfUse) {
    doc.SetInputModule(0, 10, 8);
    doc.SetPanelInputOfInput(6, 2);
    doc.SetInputModule(0, 10, 4);
    EXPECT_EQ(doc.GetPanelInputOfInput(6), 6);
    EXPECT_TRUE(doc.IsPanelInputOfInput(6, 6));
}

TEST_F(DocTest, ResetClearsEverything) {
    doc.SetInputModule(0, 10, 4);
    ASSERT_TRUE(doc.SetInputLabel(0, "Mic"));
    doc.ResetConfig();
    EXPECT_EQ(doc.GetModuleCode(0), 0);
    EXPECT_EQ(doc.GetInputLabel(0, true), "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.hasConfig());
    EXPECT_TRUE(doc.filePath().isEmpty());
}

}  // namespace
