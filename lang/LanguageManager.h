// The language files of the program and the current language.
//
// The base file "<program title>.lna" in the program directory holds the texts
// of the base language and the key aliases; each "*.lng" file there, or in the
// user's language directory, holds one translation. Without a usable base file translation stays off for the run and
// every text comes from the program's own resources. The current translation's
// title is kept in the settings under "Language" / "LangID".
#pragma once

#include "lang/LanguageTable.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The base language and at most nine translations are offered for choice.
constexpr int kMaxMenuLanguages = 10;

class LanguageManager {
public:
    LanguageManager() = default;
    ~LanguageManager();
    LanguageManager(const LanguageManager&) = delete;
    LanguageManager& operator=(const LanguageManager&) = delete;

    // Where the language files lie and the base file's title. Empty values
    // mean the program's folders (DataFolder for the shipped files,
    // UserLanguageFolder for the user's) and the executable's file title;
    // tests and tools (the command-line companion reads the GUI's files) set
    // them, and a directory set here holds both kinds.
    void SetProgramLocation(const QString& directory, const QString& title);
    QString ProgramDirectory() const;  // shipped files, with trailing separator
    QString UserDirectory() const;     // the user's translations, with trailing separator
    // The file read for a title: a translation of the user's before a shipped
    // one of the same title.
    QString FilePath(const QString& title, const QString& extension) const;
    // The file written for a title: always the user's.
    QString WritePath(const QString& title, const QString& extension) const;

    // Back to the state before InitLanguages, at the default location:
    // translation off, no tables, no list. For tests and tools.
    void Reset();

    // Loads the base file, lists the translations, selects the one named in
    // the settings and makes LookupUiText use these tables. Returns whether
    // translation is available.
    bool InitLanguages();

    // LANG_OK, LANG_CANNOT_OPEN or LANG_BAD_FILE (table left empty).
    int LoadLanguageTable(LanguageTable& table, const QString& title, const QString& extension) const;
    // Writes atomically: LANG_OK, or LANG_SAVE_FAILED after "Error saving
    // file!" with the path (the previous file is then left as it was).
    int SaveLanguageTable(const LanguageTable& table, const QString& title, const QString& extension) const;

    // Rebuilds the list of translation titles: the shipped ones in directory
    // order, then the user's that are not shipped.
    void ScanLanguageFiles();
    // Selects the translation named by CurrentName() (case-insensitive); a
    // missing or bad one falls back to the base language and empties the name.
    // Stores the name in the settings (unless choices are not stored). Always true.
    bool SelectLanguageByName();
    // Whether a selection is stored in the settings (true until Reset). The
    // command-line companion follows the desktop program's choice without
    // writing it back, so that a command that only reads writes nothing.
    void SetStoresChoice(bool stores) { m_storesChoice = stores; }
    // n = 0 base language, n >= 1 the n-th listed title. True when it changed.
    bool SelectLanguage(int n);
    // n = 0 "English" (never translated), 1..list size the titles.
    std::optional<QString> GetLanguageName(int n) const;
    // The names offered for choice: base language, then up to nine titles.
    QStringList MenuLanguageNames() const;
    bool IsTranslationAvailable() const { return m_enabled; }
    int GetCurrentLanguage() const { return m_currentIndex; }

    // The current translation's title (empty for the base language). The
    // translation editor sets it before SelectLanguageByName.
    const QString& CurrentName() const { return m_currentName; }
    void SetCurrentName(const QString& name) { m_currentName = name; }
    const QStringList& LanguageList() const { return m_languageList; }
    const LanguageTable& BaseTable() const { return m_base; }
    LanguageTable& TranslationTable() { return m_translation; }

    // The translated text for key: the base table's alias resolves the key,
    // the current translation is asked first and the base table after; a
    // backslash followed by t becomes a tab. False while translation is off.
    bool LookupText(TranslationKey key, QString& text) const;

    // Popup ordinal while a menu is being translated.
    void ResetPopupCounter() { m_popupCounter = 0; }
    uint16_t NextPopup() { return ++m_popupCounter; }
    uint16_t PopupCounter() const { return m_popupCounter; }

private:
    QString ProgramTitle() const;
    void InstallLookup();

    bool m_enabled = false;
    QString m_directory;
    QString m_title;
    uint16_t m_popupCounter = 0;
    LanguageTable m_base;
    LanguageTable m_translation;
    QStringList m_languageList;
    QString m_currentName;
    int m_currentIndex = 0;
    bool m_storesChoice = true;
};

// The program's one language manager.
LanguageManager& Languages();

// For the command-line companion, which lies beside the GUI program and
// shows its messages in the GUI's language: points the manager at the program's
// language folders with the GUI's base file "VKX520Setup.lna" and runs
// InitLanguages without storing the choice. Returns whether translation is
// available.
bool InitCommandLineLanguages();
