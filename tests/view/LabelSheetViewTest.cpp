// File > Export labels... and Import labels... in the running program: the
// sheet written names the modules from the skin, an import is one undo step
// marking the labels modified, and a refused sheet is shown and changes nothing.
#include "ViewRig.h"

#include "res/resource.h"
#include "support/TestFiles.h"

#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace viewtest;

namespace {

// The open dialog answers path, holding sheet.
void ImportSheet(ViewRig& rig, const QString& path, const QByteArray& sheet) {
    ASSERT_TRUE(WriteTestFile(path, sheet));
    rig.dialogs.openAnswers.push_back(path);
    ASSERT_TRUE(rig.Command(ID_FILE_IMPORT_LABELS));
}

TEST(LabelSheetView, ImportIsOneUndoStepAndARefusedSheetChangesNothing) {
    ViewRig rig;
    EXPECT_FALSE(rig.Enabled(ID_FILE_IMPORT_LABELS)) << "no configuration yet";
    ASSERT_TRUE(rig.Connect());
    QTemporaryDir dir;
    rig.dialogs.saveAnswers.push_back(dir.filePath(QStringLiteral("out.csv")));
    ASSERT_TRUE(rig.Command(ID_FILE_EXPORT_LABELS));
    const QString module = rig.view().Skin().ConfigName(rig.doc().GetModuleCode(0));
    ASSERT_FALSE(module.isEmpty());
    EXPECT_TRUE(ReadTestFile(dir.filePath(QStringLiteral("out.csv")))
                    .contains("\r\ninput,1,1,\"" + module.toUtf8() + "\",\r\n"));

    const DocContent before = rig.doc().Content();
    const QString sheet = dir.filePath(QStringLiteral("in.csv"));
    ImportSheet(rig, sheet, "kind,number,slot,module,label\r\ninput,1,,,Cam 1\r\npanel,2,,,Desk\r\n");
    EXPECT_EQ(rig.doc().GetInputLabel(0, true), "Cam 1");
    EXPECT_EQ(rig.doc().GetPanelLabel(1, true), "Desk");
    EXPECT_TRUE(rig.doc().labelsModified());
    EXPECT_EQ(rig.view().UndoSteps().UndoText(), QStringLiteral("Import labels from in.csv"));
    EXPECT_EQ(rig.frame().statusBar()->currentMessage(), QStringLiteral("Labels imported from in.csv: 2 changed."));
    ASSERT_TRUE(rig.Command(ID_EDIT_UNDO));
    EXPECT_TRUE(rig.doc().Content() == before) << "both labels back, not modified";
    EXPECT_FALSE(rig.Enabled(ID_EDIT_UNDO));

    rig.presenter->Clear();
    ImportSheet(rig, sheet, "kind,number,slot,module,label\r\ninput,1,,,Cam 1\r\npanel,2,,,a label of 20 bytes.\r\n");
    ASSERT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_SHEET_IMPORT_FAILED});
    EXPECT_EQ(rig.presenter->messages()[0].text,
              QStringLiteral("No label was imported from in.csv:\n\n"
                             "Row 3, column 5: 20 bytes in the labels' code page (Windows-1252), at most 19"));
    EXPECT_TRUE(rig.doc().Content() == before);
    EXPECT_FALSE(rig.Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(rig.Enabled(ID_EDIT_REDO)) << "the refused import recorded no step";
}

}  // namespace
