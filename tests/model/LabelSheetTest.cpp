// The labels as a spreadsheet: export and import give back the same file
// for any labels, sheets as spreadsheets write them are read, and every
// refused row is named with its row, column and reason while nothing changes.
#include "model/ConfigFile.h"
#include "model/LabelSheet.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// 8 + 4 + 8 inputs: input 13 is the first of slot 3, inputs 17..20 are beyond the usable 16.
void SetModules(CMainDoc& doc) {
    doc.SetInputModule(0, 16, 8);
    doc.SetInputModule(1, 17, 4);
    doc.SetInputModule(2, 48, 8);
}

QByteArray Sheet(const char* rows) { return QByteArray("kind,number,slot,module,label\r\n") + rows; }

QString Names(int code) { return code == 16 ? QStringLiteral("HD-SDI, 8 inputs") : QString(); }

// A configuration file with random modules and random label fields: any
// byte, junk after the end mark, no end mark at all, duplicates.
QByteArray RandomFile(std::mt19937& random) {
    ConfigImage image;
    image.Clear();
    for (int s = 0; s < kSlotCount; ++s) {
        image.inputModules[s].code = uint8_t(random() % 3 == 0 ? 0 : 1 + random() % 60);
        image.inputModules[s].count = uint8_t(random() % 9);
    }
    QByteArray labels(qsizetype(kInputLabelBytes + kPanelLabelBytes), '\0');
    for (char& byte : labels) byte = random() % 4 == 0 ? '\0' : char(random() % 256);
    QByteArray file = SerializeConfigFile(image, labels.constData(), labels.constData() + kInputLabelBytes);
    if (random() % 2) file += "trailing bytes";
    return file;
}

// A label the editor would take: 0..19 bytes of Windows-1252, sheet-hostile
// characters (comma, quote, line breaks, spaces at the ends) favoured.
std::string RandomLabel(std::mt19937& random) {
    static const std::string kSpecial = ",\"\r\n ;\x80\xE9\xFF\x01";
    std::string label(random() % 20, ' ');
    for (char& c : label) c = random() % 3 == 0 ? kSpecial[random() % kSpecial.size()] : char(0x21 + random() % 0xDE);
    return label;
}

TEST(LabelSheetTest, ExportThenImportKeepsAnyFileByteForByte) {
    std::mt19937 random(520);
    for (int round = 0; round < 200; ++round) {
        const QByteArray original = RandomFile(random);
        CMainDoc doc;
        ASSERT_TRUE(doc.LoadFileBytes(original, {}));
        QByteArray file = original;
        bool corrupt = true;
        const LabelSheetImport result = ImportLabelSheetIntoFile(file, ExportLabelSheet(doc, Names), corrupt);
        ASSERT_FALSE(corrupt);
        ASSERT_TRUE(result.ok()) << round << ": " << LabelSheetErrorText(result.errors.front()).toStdString();
        EXPECT_EQ(result.changed, 0);
        ASSERT_EQ(file, original) << round;
    }
}

TEST(LabelSheetTest, ImportCarriesRandomLabelsToAnotherRack) {
    std::mt19937 random(1252);
    for (int round = 0; round < 100; ++round) {
        CMainDoc from, to;
        SetModules(from);
        SetModules(to);
        for (int n = 0; n < kUsableInputs; ++n) from.SetInputLabel(n, RandomLabel(random));  // a duplicate stays empty
        for (int p = 0; p < kPanelInputCount; ++p) from.SetPanelLabel(p, RandomLabel(random));
        to.SetInputLabel(3, "old label");
        const LabelSheetImport result = ImportLabelSheet(to, ExportLabelSheet(from, Names));
        ASSERT_TRUE(result.ok()) << LabelSheetErrorText(result.errors.front()).toStdString();
        ASSERT_TRUE(from.Content().SameLabels(to.Content())) << round;
        EXPECT_EQ(to.labelsModified(), result.changed > 0);
    }
}

TEST(LabelSheetTest, ExportListsUsableInputsWithSlotAndModuleThenPanelInputs) {
    CMainDoc doc;
    SetModules(doc);
    ASSERT_TRUE(doc.SetInputLabel(12, "Cam \"B\", left"));
    ASSERT_TRUE(doc.SetPanelLabel(0, " Desk"));
    const QByteArray sheet = ExportLabelSheet(doc, Names);
    EXPECT_TRUE(sheet.startsWith("\xEF\xBB\xBFkind,number,slot,module,label\r\ninput,1,1,\"HD-SDI, 8 inputs\",\r\n"));
    EXPECT_TRUE(sheet.contains("\r\ninput,13,3,,\"Cam \"\"B\"\", left\"\r\ninput,14,3,,\r\n"));
    EXPECT_TRUE(sheet.contains("\r\ninput,16,3,,\r\npanel,1,,,\" Desk\"\r\n"));
    EXPECT_FALSE(sheet.contains("input,17"));
    EXPECT_TRUE(sheet.endsWith("\r\npanel,16,,,\r\n"));
}

TEST(LabelSheetTest, ReadsSheetsAsSpreadsheetsWriteThem) {
    struct Case {
        const char* name;
        QByteArray sheet;
    };
    const Case cases[] = {
        {"ExcelWithByteOrderMark", "\xEF\xBB\xBF" + Sheet("input,2,1,\"HD-SDI, 8 inputs\",\"Cam \"\"A\"\"\"\r\n"
                                                          "panel,3,,,\"two\r\nlines\"\r\n,,,,\r\n")},
        {"LineFeedsNoMarkNoFinalLineEnd",
         "KIND,Number,slot,module,label\ninput, 2 ,,,\"Cam \"\"A\"\"\"\npanel,3,,,\"two\r\nlines\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMainDoc doc;
        SetModules(doc);
        const LabelSheetImport result = ImportLabelSheet(doc, c.sheet);
        ASSERT_TRUE(result.ok()) << LabelSheetErrorText(result.errors.front()).toStdString();
        EXPECT_EQ(result.changed, 2);
        EXPECT_EQ(doc.GetInputLabel(1, true), "Cam \"A\"");
        EXPECT_EQ(doc.GetPanelLabel(2, true), "two\r\nlines");
        EXPECT_TRUE(doc.labelsModified());
    }
}

TEST(LabelSheetTest, ExchangingTwoLabelsIsNoDuplicate) {
    CMainDoc doc;
    SetModules(doc);
    ASSERT_TRUE(doc.SetInputLabel(0, "Left"));
    ASSERT_TRUE(doc.SetInputLabel(1, "Right"));
    const LabelSheetImport result = ImportLabelSheet(doc, Sheet("input,1,,,Right\ninput,2,,,Left\ninput,3,,,IN3\n"));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.changed, 2) << "a default name is no change to an empty label";
    EXPECT_EQ(doc.GetInputLabel(0, true), "Right");
    EXPECT_EQ(doc.GetInputLabel(1, true), "Left");
}

struct RefusedCase {
    const char* name;
    const char* rows;  // after the header
    int row, column;
    LabelSheetProblem problem;
};

const RefusedCase kRefused[] = {
    {"TooLong", "input,1,,,a label of 20 bytes.\n", 2, 5, LabelSheetProblem::TooLong},
    {"TooLongInCodePage",
     "panel,1,,,\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
     "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\n",
     2, 5, LabelSheetProblem::TooLong},
    {"NotInCodePage", "input,1,,,ok\ninput,2,,,Studio \xCE\xA9\n", 3, 5, LabelSheetProblem::NotInCodePage},
    {"OverlongNul", "input,2,,,a\xC0\x80", 2, 5, LabelSheetProblem::NotUtf8},
    {"NotUtf8", "input,2,,,caf\xE9\n", 2, 5, LabelSheetProblem::NotUtf8},
    {"UnclosedQuote", "input,1,,,ok\ninput,2,,,\"open\n", 3, 5, LabelSheetProblem::UnclosedQuote},
    {"QuoteInUnquotedField", "input,2,,,Cam \"A\"\n", 2, 5, LabelSheetProblem::QuoteInField},
    {"TextAfterQuote", "input,2,\"1\"x,,a\n", 2, 3, LabelSheetProblem::TextAfterQuote},
    {"WrongKind", "output,2,,,a\n", 2, 1, LabelSheetProblem::Kind},
    {"NumberZero", "input,0,,,a\n", 2, 2, LabelSheetProblem::Number},
    {"NumberSeventeen", "panel,17,,,a\n", 2, 2, LabelSheetProblem::Number},
    {"NumberNotDecimal", "panel,+3,,,a\n", 2, 2, LabelSheetProblem::Number},
    {"WrongSlot", "input,13,2,,a\n", 2, 3, LabelSheetProblem::Slot},
    {"RepeatedRow", "panel,4,,,a\r\n\r\npanel,4,,,b\r\n", 4, 2, LabelSheetProblem::RepeatedRow},
    {"TooFewColumns", "input,2,,a\n", 2, 5, LabelSheetProblem::ColumnCount},
    {"DuplicateOfUnchangedLabel", "input,2,,,Kept\n", 2, 5, LabelSheetProblem::Duplicate},
    {"DuplicateOfDefaultName", "input,2,,,IN9\n", 2, 5, LabelSheetProblem::Duplicate},
    {"DuplicateWithinSheet", "panel,2,,,Same\npanel,3,,,Same\n", 2, 5, LabelSheetProblem::Duplicate},
};

class LabelSheetRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(LabelSheetRefusedTest, NamesRowColumnAndReasonAndChangesNothing) {
    const RefusedCase& c = GetParam();
    CMainDoc doc;
    SetModules(doc);
    ASSERT_TRUE(doc.SetInputLabel(0, "Kept"));
    const DocContent before = {doc.Content()};
    const LabelSheetImport result = ImportLabelSheet(doc, Sheet(c.rows));
    ASSERT_FALSE(result.ok());
    const LabelSheetError& error = result.errors.front();
    EXPECT_EQ(error.row, c.row);
    EXPECT_EQ(error.column, c.column);
    EXPECT_EQ(error.problem, c.problem);
    EXPECT_EQ(result.changed, 0);
    EXPECT_TRUE(doc.Content() == before);
}

INSTANTIATE_TEST_SUITE_P(Rows, LabelSheetRefusedTest, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LabelSheetTest, RefusesAWrongHeaderAndSaysWhereInWords) {
    CMainDoc doc;
    SetModules(doc);
    LabelSheetImport result = ImportLabelSheet(doc, "kind,number,slot,module,name\r\ninput,1,,,a\r\n");
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(LabelSheetErrorText(result.errors[0]).toStdString(),
              "Row 1, column 5: \"name\" where the header has \"label\"");
    result = ImportLabelSheet(doc, Sheet("input,1,,,a label of 20 bytes.\ninput,3,,,\ninput,1,,,b\n"));
    ASSERT_EQ(result.errors.size(), 2u) << "every refused row is named";
    EXPECT_EQ(LabelSheetErrorText(result.errors[0]).toStdString(),
              "Row 2, column 5: 20 bytes in the labels' code page (Windows-1252), at most 19");
    EXPECT_EQ(LabelSheetErrorText(result.errors[1]).toStdString(), "Row 4, column 2: input 1 is already in row 2");
    EXPECT_EQ(ImportLabelSheet(doc, "").errors.size(), 1u);
    EXPECT_EQ(ImportLabelSheet(doc, QByteArray(kMaxLabelSheetBytes + 1, ',')).errors[0].problem,
              LabelSheetProblem::TooLarge);
}

TEST(LabelSheetTest, ImportIntoFileRewritesOnlyChangedFieldsAndKeepsTheVersion) {
    CMainDoc doc;
    SetModules(doc);
    ASSERT_TRUE(doc.SetPanelLabel(5, "Old"));
    const QByteArray newest = SerializeConfigFile(doc.image(), doc.InputLabelField(0, 0), doc.PanelLabelField(0));
    // version 0x00010001: the labels follow 110 image bytes
    QByteArray file = newest.left(qsizetype(kConfigFileHeaderSize + kVersion1ImageBytes)) +
                      newest.mid(qsizetype(kConfigFileHeaderSize + kConfigImageSize));
    file[4] = 1;
    const qsizetype panel5 = qsizetype(ConfigFileSizeFor(kConfigFileVersion1) - kPanelLabelBytes + 5 * kLabelSize);
    file[panel5 + 10] = 'j';  // junk after the end mark of an unchanged label
    const QByteArray original = file;
    bool corrupt = true;
    const LabelSheetImport result = ImportLabelSheetIntoFile(file, Sheet("panel,6,,,Old\npanel,7,,,New\n"), corrupt);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.changed, 1);
    QByteArray expected = original;
    expected.replace(panel5 + kLabelSize, 3, "New");
    EXPECT_EQ(file, expected);
    QByteArray notAFile("V521");
    ImportLabelSheetIntoFile(notAFile, Sheet(""), corrupt);
    EXPECT_TRUE(corrupt);
}

}  // namespace
