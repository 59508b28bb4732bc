// The Language menu's editor commands: edit the current translation, or
// make a new one, in the Edit translation dialog. Each returns true when the
// user interface must be re-texted (the caller then applies the language).
#pragma once

#include <QString>
#include <functional>

class CEditTranslationDlg;
class LanguageTable;
class QWidget;

// What the save-file dialog of a new translation is asked with.
struct TranslationFileRequest {
    QString filter;         // "Language files (*.lng)", in the current language
    QString defaultSuffix;  // "lng"
    QString directory;      // the program directory
};

// The dialogs the editor shows, replaceable so that tests can answer them.
struct TranslationEditorHooks {
    // Runs the Edit translation dialog modally; true on OK.
    std::function<bool(CEditTranslationDlg& dialog)> runDialog;
    // Asks for the new file; the chosen path, or empty on Cancel.
    std::function<QString(QWidget* parent, const TranslationFileRequest& request)> chooseFile;
};
// Empty members mean the real dialogs; returns the previous hooks.
TranslationEditorHooks SetTranslationEditorHooks(TranslationEditorHooks hooks);

// Edits `table` against the base language's texts: true after OK, and the
// table then holds exactly the translated texts, in base-file order, without
// aliases. On Cancel, or with translation off, the table is left as it was.
bool RunTranslationEditor(LanguageTable& table, QWidget* parent = nullptr);

// Edits the current translation and saves it under its file's title. False
// with translation off, the base language current, or on Cancel. A failed
// save has shown its message; the edits stay in use for this run.
bool EditTranslation(QWidget* parent = nullptr);

// Makes a new translation: the editor on an empty table, then a save-file
// dialog. The file is written beside the program under the chosen title,
// whatever folder was chosen, and becomes the current language. Nothing is
// asked or written when nothing was translated.
bool NewTranslation(QWidget* parent = nullptr);
