#include "model/CMainDoc.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

namespace {

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetInputModule(0, 10, 4);
        doc.SetInputModule(1, 11, 4);
    }
    RecordingPresenter recorder;
    CMainDoc doc;
};

TEST_F(LabelTest, DefaultNamesAreStoredEmpty) {
    EXPECT_TRUE(doc.SetInputLabel(3, "IN4"));
    EXPECT_EQ(doc.GetInputLabel(3, true), "");
    EXPECT_EQ(doc.GetInputLabel(3, false), "IN4");
    EXPECT_TRUE(doc.labelsModified());
    EXPECT_TRUE(doc.SetPanelLabel(2, "A3"));
    EXPECT_EQ(doc.GetPanelLabel(2, true), "");
    EXPECT_EQ(doc.GetPanelLabel(2, false), "A3");
}

TEST_F(LabelTest, AnotherInputsDefaultNameIsADuplicate) {
    EXPECT_FALSE(doc.SetInputLabel(3, "IN5"));
    EXPECT_FALSE(doc.labelsModified());
    ASSERT_TRUE(doc.SetInputLabel(4, "Desk"));
    EXPECT_TRUE(doc.SetInputLabel(3, "IN5")) << "input 4 has its own label now";
}

TEST_F(LabelTest, ComparisonIsCaseSensitive) {
    ASSERT_TRUE(doc.SetInputLabel(0, "Camera"));
    EXPECT_FALSE(doc.SetInputLabel(5, "Camera"));
    EXPECT_EQ(doc.GetInputLabel(5, true), "");
    EXPECT_TRUE(doc.SetInputLabel(5, "camera"));
    EXPECT_TRUE(doc.SetInputLabel(0, "Camera")) << "an input may keep its own label";
}

TEST_F(LabelTest, TooLongTextIsRefusedNotCut) {
    const std::string nineteen(19, 'x');
    EXPECT_TRUE(doc.SetInputLabel(0, nineteen));
    EXPECT_EQ(doc.GetInputLabel(0, true), nineteen);
    EXPECT_FALSE(doc.SetInputLabel(1, nineteen + "y"));
    EXPECT_FALSE(doc.SetPanelLabel(1, std::string(20, 'p')));
    EXPECT_FALSE(doc.SetInputLabel(1, std::string("a\0b", 3)));
    EXPECT_EQ(doc.GetInputLabel(1, true), "");
    EXPECT_EQ(doc.InputLabelField(0, 0)[19], '\0');
}

TEST_F(LabelTest, PanelDuplicatesOnlyAmongUsablePanelInputs) {
    EXPECT_TRUE(doc.SetPanelLabel(12, "Studio"));
    EXPECT_TRUE(doc.SetPanelLabel(0, "Studio")) << "panel input 12 is beyond the 8 usable inputs";
    EXPECT_FALSE(doc.SetPanelLabel(7, "Studio"));
    EXPECT_FALSE(doc.SetPanelLabel(7, "A2")) << "panel input 1's default name";
}

TEST_F(LabelTest, RaisingAModuleAgainEmptiesLabelsThatClash) {
    doc.SetInputModule(0, 10, 8);
    ASSERT_TRUE(doc.SetInputLabel(6, "Guest"));  // slot 0, local 6
    doc.SetInputModule(0, 10, 4);
    EXPECT_EQ(doc.InputLabelField(0, 6), std::string("Guest")) << "kept while out of use";
    ASSERT_TRUE(doc.SetInputLabel(4, "Guest"));  // slot 1, local 0 now
    doc.SetInputModule(0, 10, 8);
    EXPECT_EQ(doc.InputLabelField(0, 6), std::string(""));
    EXPECT_EQ(doc.GetInputLabel(8, true), "Guest") << "slot 1's label stays";
    EXPECT_TRUE(doc.configModified());
}

TEST_F(LabelTest, PanelLabelOutOfUseLosesClashWithUsableOne) {
    ASSERT_TRUE(doc.SetPanelLabel(12, "Booth"));
    ASSERT_TRUE(doc.SetPanelLabel(3, "Booth"));
    doc.SetInputModule(1, 11, 0);  // usable total 4: panel 12 out of use and clashing with 3
    EXPECT_EQ(doc.GetPanelLabel(12, true), "");
    EXPECT_EQ(doc.GetPanelLabel(3, true), "Booth");
}

}  // namespace
