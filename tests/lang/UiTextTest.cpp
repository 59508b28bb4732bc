#include "lang/StringTable.h"
#include "lang/UiText.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

TEST(UiText, PromptAndTooltipSplitAtFirstNewline) {
    QString prompt, tip;
    LoadUiPrompt(ID_FILE_OPEN, prompt);
    LoadUiTooltip(ID_FILE_OPEN, tip);
    EXPECT_EQ(prompt, "Open configuration file");
    EXPECT_EQ(tip, "Open");

    LoadUiPrompt(ID_VIEW_TOOLTIPS, prompt);
    LoadUiTooltip(ID_VIEW_TOOLTIPS, tip);
    EXPECT_EQ(prompt, "Show tooltips");
    EXPECT_TRUE(tip.isEmpty());
}

TEST(UiText, MissingStringGivesFalseAndEmptyText) {
    QString text = "stale";
    EXPECT_FALSE(LoadUiString(text, 4242));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(LoadUiString(text, IDS_APP_TITLE));
    EXPECT_EQ(text, "VKX520Setup");
}

TEST(UiText, TableTextsAreStoredExactly) {
    EXPECT_EQ(LoadUiString(IDS_TIP_INPUT), "Doubleclick to change input label. Drag && drop to link input to key.");
    EXPECT_EQ(LoadUiString(21110), "VKX link error:\n\nCommuinication error, please check connection cable!");
    EXPECT_EQ(LoadUiString(IDR_MAINFRAME), "VKX520Setup\n\nVKX520\n\n\nVKX520Setup.Document\nVKX520 Document");
    // Every entry is reachable through the lookup.
    for (const auto* e = StringTableBegin(); e != StringTableEnd(); ++e)
        EXPECT_EQ(LoadUiString(e->id), QString::fromUtf8(e->text)) << e->id;
}

TEST(UiText, MessageBoxUsesAppTitleAndReturnsScriptedButton) {
    RecordingPresenter recorder;
    recorder.Answer(IDNO);
    EXPECT_EQ(UiMessageBox(IDS_WRITE_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION), IDNO);
    ASSERT_EQ(recorder.messages().size(), 1u);
    const auto& m = recorder.messages()[0];
    EXPECT_EQ(m.id, unsigned(IDS_WRITE_CONFIRM));
    EXPECT_EQ(m.caption, "VKX520Setup");
    EXPECT_EQ(m.text, "Write configuration to device?");
    EXPECT_EQ(m.style, unsigned(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(UiMessageBox(IDS_WRITE_CONFIRM, MB_YESNO), IDYES);  // script used up: default answer
}

TEST(UiText, FileErrorsFormatPathWithStopIcon) {
    RecordingPresenter recorder;
    ReportFileError(1, "/tmp/a.vkcfg");
    ReportFileError(2, "/tmp/b.vkcfg");
    ReportFileError(3, "C:\\x%1.vkcfg");
    ASSERT_EQ(recorder.messages().size(), 3u);
    EXPECT_EQ(recorder.messages()[0].text, "Error opening file!\n\n/tmp/a.vkcfg");
    EXPECT_EQ(recorder.messages()[1].text, "Loading failed - file is corrupt!\n\n/tmp/b.vkcfg\n");
    // An insert is not formatted again, so a path holding "%1" stays literal.
    EXPECT_EQ(recorder.messages()[2].text, "Error saving file!\n\nC:\\x%1.vkcfg");
    EXPECT_EQ(recorder.ids(), (std::vector<unsigned>{10035, 10036, 10037}));
    for (const auto& m : recorder.messages()) EXPECT_EQ(m.style, unsigned(MB_ICONSTOP));
    // The path as the system writes it, whoever built it (backslashes on Windows).
    ReportFileError(1, "C:/configs/studio.vkcfg");
    EXPECT_EQ(recorder.messages().back().text,
              "Error opening file!\n\n" + QDir::toNativeSeparators(QStringLiteral("C:/configs/studio.vkcfg")));
}

TEST(UiText, InsertsReplaceNumberedPlaceholders) {
    EXPECT_EQ(FormatInserts("%2-%1-%3", {"a", "b"}), "b-a-%3");
    EXPECT_EQ(FormatInserts("100%% %1", {"x"}), "100% x");
    EXPECT_EQ(FormatInserts("%10 %1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}), "ten 1");
    EXPECT_EQ(FormatInserts("trailing %", {}), "trailing %");
    EXPECT_EQ(FormatInserts("%0 %a", {"x"}), "%0 %a");
}

TEST(UiText, TranslationSeamTakesPrecedenceAndFallsBack) {
    SetUiTextLookup([](uint32_t key, QString& text) {
        if (key != kStringKeyBase + IDS_IDLE) return false;
        text = "Bereit";
        return true;
    });
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Bereit");
    EXPECT_EQ(LoadUiString(IDS_APP_TITLE), "VKX520Setup");
    SetUiTextLookup({});
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready");
}

}  // namespace
