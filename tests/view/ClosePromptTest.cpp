#include "model/CMainDoc.h"
#include "support/RecordingPresenter.h"
#include "support/ShowingDoc.h"
#include "view/ClosePrompt.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A configuration read from the device with a label changed since: the
// question is asked.
class ClosePromptTest : public ::testing::Test {
protected:
    ClosePromptTest() {
        ConfigImage image;
        image.Clear();
        image.inputModules[0] = {10, 4};
        EXPECT_TRUE(ReadShown(doc, image, true) && doc.SetInputLabel(1, "Cam 2"));
    }

    RecordingPresenter recorder;
    CMainDoc doc;
    QTemporaryDir dir;
};

TEST_F(ClosePromptTest, AnswersDecideWhetherToDiscard) {
    int saves = 0;
    auto save = [&] {
        ++saves;
        SaveShown(doc, dir.filePath("prompt.vkcfg"));
    };
    recorder.Answer(IDCANCEL);
    EXPECT_FALSE(RunClosePrompt(doc, save));
    recorder.Answer(IDNO);
    EXPECT_TRUE(RunClosePrompt(doc, save));
    EXPECT_EQ(saves, 0);
    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].id, 10045u);
    EXPECT_EQ(recorder.messages()[0].style, unsigned(MB_YESNOCANCEL | MB_ICONEXCLAMATION));

    recorder.Answer(IDYES);
    EXPECT_TRUE(RunClosePrompt(doc, save));
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(RunClosePrompt(doc, save)) << "nothing modified: no question";
    EXPECT_EQ(recorder.messages().size(), 3u);
}

TEST_F(ClosePromptTest, YesWithCancelledSaveKeepsTheConfiguration) {
    recorder.Answer(IDYES);
    EXPECT_FALSE(RunClosePrompt(doc, [] { /* the user cancels the save dialog */ }));
    EXPECT_TRUE(doc.labelsModified());
}

}  // namespace
