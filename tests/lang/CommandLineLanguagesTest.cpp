#include "base/Settings.h"
#include "lang/LanguageManager.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The build places the shipped language files beside every executable, this
// test's too: the command-line companion finds the GUI's files the same way.
TEST(InitCommandLineLanguages, ReadsTheGuiProgramsFilesBesideTheExecutable) {
    ASSERT_TRUE(QFile::exists(ExecutableDir() + "/VKX520Setup.lna"));
    QTemporaryDir dir;
    SetAppProfilePath(dir.filePath("vkx520ctl.ini"));
    AppProfile().WriteString("Language", "LangID", "Deutsch");
    ASSERT_TRUE(InitCommandLineLanguages());
    EXPECT_EQ(Languages().ProgramDirectory(), ExecutableDir() + "/");
    EXPECT_EQ(LoadUiString(IDS_LINK_ERROR_BASE + 6), "Vorgang abgebrochen.");

    AppProfile().WriteString("Language", "LangID", "");
    ASSERT_TRUE(InitCommandLineLanguages());
    EXPECT_EQ(LoadUiString(IDS_LINK_ERROR_BASE + 6), "Operation aborted.");

    Languages().Reset();
    EXPECT_FALSE(Languages().IsTranslationAvailable());
    EXPECT_EQ(LoadUiString(IDS_LINK_ERROR_BASE + 6), "Operation aborted.");
    SetAppProfilePath({});
}

}  // namespace
