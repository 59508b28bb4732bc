#include "lang/gui/TranslationEditor.h"

#include "base/ProgramPaths.h"
#include "lang/gui/EditTranslationDlg.h"
#include "lang/LanguageManager.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <QFileDialog>
#include <QFileInfo>

#include <utility>

namespace {

const QString kTranslationExtension = QStringLiteral(".lng");

TranslationEditorHooks g_hooks;

bool RunDialog(CEditTranslationDlg& dialog) {
    if (g_hooks.runDialog) return g_hooks.runDialog(dialog);
    return dialog.exec() == QDialog::Accepted;
}

QString ChooseFile(QWidget* parent, const TranslationFileRequest& request) {
    if (g_hooks.chooseFile) return g_hooks.chooseFile(parent, request);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setDirectory(request.directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

// The file dialog asked before replacing the file the user pointed at; the
// file really written lies in the program directory and may be another one.
bool MayReplace(const QString& chosenPath, const QString& targetPath) {
    const QFileInfo target(targetPath);
    if (!target.exists() || QFileInfo(chosenPath).absoluteFilePath() == target.absoluteFilePath()) return true;
    return UiMessageBox(IDS_TRANSLATION_REPLACE, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

// Saves a new translation and selects it.
bool SaveNewTranslation(const LanguageTable& table, const QString& chosenPath) {
    LanguageManager& languages = Languages();
    const QString title = QFileInfo(chosenPath).completeBaseName();
    const QString target = languages.WritePath(title, kTranslationExtension);
    if (title.isEmpty()) {
        ReportFileError(kFileSaveError, target);
        return false;
    }
    if (!MayReplace(chosenPath, target)) return false;
    if (languages.SaveLanguageTable(table, title, kTranslationExtension) != LANG_OK) return false;
    languages.ScanLanguageFiles();
    languages.SetCurrentName(title);
    languages.SelectLanguageByName();
    return true;
}

}  // namespace

TranslationEditorHooks SetTranslationEditorHooks(TranslationEditorHooks hooks) {
    return std::exchange(g_hooks, std::move(hooks));
}

bool RunTranslationEditor(LanguageTable& table, QWidget* parent) {
    const LanguageManager& languages = Languages();
    if (!languages.IsTranslationAvailable()) return false;
    CEditTranslationDlg dialog(languages.BaseTable(), table, parent);
    if (!RunDialog(dialog)) return false;
    table = dialog.Edits().BuildTable();
    return true;
}

bool EditTranslation(QWidget* parent) {
    LanguageManager& languages = Languages();
    if (!languages.IsTranslationAvailable() || languages.GetCurrentLanguage() == 0) return false;
    if (!RunTranslationEditor(languages.TranslationTable(), parent)) return false;
    // The listed title is the file's own spelling; the stored name may differ
    // in case and would name another file where case matters.
    const QString title = languages.GetLanguageName(languages.GetCurrentLanguage()).value_or(languages.CurrentName());
    languages.SaveLanguageTable(languages.TranslationTable(), title, kTranslationExtension);
    return true;
}

bool NewTranslation(QWidget* parent) {
    if (!Languages().IsTranslationAvailable()) return false;
    LanguageTable table;
    if (!RunTranslationEditor(table, parent) || table.IsEmpty()) return false;
    // The dialog starts in the user's language folder, which a first save makes.
    MakeOwnFolder(Languages().UserDirectory());
    const TranslationFileRequest request{
        QStringLiteral("%1 (*%2)").arg(LoadUiString(IDS_LANGUAGE_FILES), kTranslationExtension),
        kTranslationExtension.mid(1), Languages().UserDirectory()};
    const QString chosen = ChooseFile(parent, request);
    if (chosen.isEmpty()) return false;
    return SaveNewTranslation(table, chosen);
}
