// The text functions: the only way the program obtains and shows its texts.
// Every lookup first asks the translation seam (LookupUiText) and falls back
// to the program's own string table.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

// Message-box styles and results keep the platform's values, so that stored
// expectations (tests, translated scripts) read the same everywhere.
enum : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_TYPEMASK = 0x0F,
    MB_ICONSTOP = 0x10,
    MB_ICONERROR = MB_ICONSTOP,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = MB_ICONEXCLAMATION,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Shows one message box. The GUI installs a QMessageBox presenter, command-line
// programs print to standard error, tests record and answer from a script.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // id is the string ID the text came from (0 when none); returns IDOK, IDYES, ...
    virtual int Present(unsigned id, const QString& caption, const QString& text, unsigned style) = 0;
    // The same with a detail line under the text (none when empty); by
    // default the detail becomes the text's last line.
    virtual int PresentDetailed(unsigned id, const QString& caption, const QString& text, const QString& detail,
                                unsigned style);
};

// Installs a presenter (not owned; nullptr restores the standard-error one).
// Returns the previous presenter.
MessagePresenter* SetMessagePresenter(MessagePresenter* presenter);

// The default answer of a non-interactive presenter: OK for OK boxes, Yes for
// Yes/No boxes, Cancel where a Cancel button exists besides Yes and No.
int DefaultAnswer(unsigned style);

// Translation seam: returns true and the translated text for a translation key.
using UiTextLookup = std::function<bool(uint32_t key, QString& text)>;
void SetUiTextLookup(UiTextLookup lookup);
bool LookupUiText(uint32_t key, QString& text);

constexpr uint32_t kStringKeyBase = 0xC0000000u;

bool LoadUiString(QString& text, unsigned id);
QString LoadUiString(unsigned id);
int UiMessageBox(unsigned id, unsigned style);
// String id with its %1.. replaced by the inserts (FormatUiString), shown as a box.
int UiMessageBoxFormatted(unsigned id, const QStringList& inserts, unsigned style);
// String id's message with a detail line under it (as UiMessageBox when empty).
int UiMessageBoxDetailed(unsigned id, unsigned style, const QString& detail);
void FormatUiString(QString& text, unsigned id, const QStringList& inserts);
void LoadUiPrompt(unsigned id, QString& text);
void LoadUiTooltip(unsigned id, QString& text);
// A message chosen where nobody is talked to (the document, a device
// operation's outcome), handed to the layer that talks to the user: a file
// error (ReportFileError's code and the path) or a string shown with a style,
// with detail on a line under it when there is any. An empty notice shows
// nothing.
struct UiNotice {
    int fileErrorCode = 0;
    QString path;
    unsigned id = 0;
    unsigned style = 0;
    QString detail = {};
    bool IsEmpty() const { return fileErrorCode == 0 && id == 0; }
};
void ShowNotice(const UiNotice& notice);
// Shows each message (string IDs) as a warning box with OK, in order.
void ShowWarnings(const std::vector<unsigned>& ids);
// The file-error codes: opening, a corrupt file, saving.
enum : int { kFileOpenError = 1, kFileCorruptError = 2, kFileSaveError = 3 };
// code: one of those; the path is shown with the system's separators.
void ReportFileError(int code, const QString& path);
// The open error for each file, in order (pictures a skin could not load).
void ReportOpenErrors(const QStringList& paths);
// From now on the first failed settings write of the process is shown as a
// save error ("Error saving file!" with the settings file's path).
void ReportSettingsWriteFailures();

// Replaces %1 .. %99 by the inserts and %% by %; a %n without an insert stays as it is.
QString FormatInserts(const QString& pattern, const QStringList& inserts);
