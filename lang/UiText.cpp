#include "lang/UiText.h"

#include "base/Settings.h"
#include "lang/StringTable.h"
#include "res/resource.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

// Messages of programs without windows. A text's own line breaks stay, but
// not an empty line after its end. A detail line is the program's own
// addition, so it carries the program's name, as command-line tools mark
// what they say themselves.
class StandardErrorPresenter : public MessagePresenter {
public:
    int Present(unsigned, const QString&, const QString& text, unsigned style) override {
        PrintText(text);
        return DefaultAnswer(style);
    }
    int PresentDetailed(unsigned, const QString&, const QString& text, const QString& detail, unsigned style) override {
        PrintText(text);
        const QByteArray name = QCoreApplication::applicationName().toLocal8Bit();
        for (const QString& line : detail.split(u'\n', Qt::SkipEmptyParts)) {
            if (name.isEmpty())
                std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
            else
                std::fprintf(stderr, "%s: %s\n", name.constData(), line.toLocal8Bit().constData());
        }
        return DefaultAnswer(style);
    }

private:
    static void PrintText(QString text) {
        while (text.endsWith(u'\n')) text.chop(1);
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
};

StandardErrorPresenter g_stderrPresenter;
MessagePresenter* g_presenter = &g_stderrPresenter;
UiTextLookup g_lookup;

}  // namespace

MessagePresenter* SetMessagePresenter(MessagePresenter* presenter) {
    MessagePresenter* previous = g_presenter;
    g_presenter = presenter ? presenter : &g_stderrPresenter;
    return previous;
}

int DefaultAnswer(unsigned style) {
    switch (style & MB_TYPEMASK) {
    case MB_YESNO: return IDYES;
    case MB_YESNOCANCEL: return IDCANCEL;
    default: return IDOK;
    }
}

void SetUiTextLookup(UiTextLookup lookup) { g_lookup = std::move(lookup); }

bool LookupUiText(uint32_t key, QString& text) { return g_lookup && g_lookup(key, text); }

bool LoadUiString(QString& text, unsigned id) {
    if (LookupUiText(kStringKeyBase + id, text)) return true;
    const auto own = FindTableString(id);
    if (!own) {
        text.clear();
        return false;
    }
    text = QString::fromUtf8(own->data(), qsizetype(own->size()));
    return true;
}

QString LoadUiString(unsigned id) {
    QString text;
    LoadUiString(text, id);
    return text;
}

int UiMessageBox(unsigned id, unsigned style) {
    return g_presenter->Present(id, LoadUiString(IDS_APP_TITLE), LoadUiString(id), style);
}

int UiMessageBoxFormatted(unsigned id, const QStringList& inserts, unsigned style) {
    return g_presenter->Present(id, LoadUiString(IDS_APP_TITLE), FormatInserts(LoadUiString(id), inserts), style);
}

int MessagePresenter::PresentDetailed(unsigned id, const QString& caption, const QString& text, const QString& detail,
                                      unsigned style) {
    return Present(id, caption, detail.isEmpty() ? text : text + u'\n' + detail, style);
}

int UiMessageBoxDetailed(unsigned id, unsigned style, const QString& detail) {
    if (detail.isEmpty()) return UiMessageBox(id, style);
    return g_presenter->PresentDetailed(id, LoadUiString(IDS_APP_TITLE), LoadUiString(id), detail, style);
}

QString FormatInserts(const QString& pattern, const QStringList& inserts) {
    QString out;
    out.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u'%') {
            out += c;  // "%%" stands for one percent sign
            ++i;
            continue;
        }
        if (c != u'%' || i + 1 >= pattern.size() || !pattern[i + 1].isDigit() || pattern[i + 1] == u'0') {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        int number = 0;
        while (j < pattern.size() && pattern[j].isDigit() && j < i + 3)
            number = number * 10 + pattern[j++].digitValue();
        if (number <= inserts.size()) {
            out += inserts[number - 1];
        } else {
            out += pattern.mid(i, j - i);
        }
        i = j - 1;
    }
    return out;
}

void FormatUiString(QString& text, unsigned id, const QStringList& inserts) {
    text = FormatInserts(LoadUiString(id), inserts);
}

void LoadUiPrompt(unsigned id, QString& text) {
    text = LoadUiString(id);
    const qsizetype newline = text.indexOf(u'\n');
    if (newline >= 0) text.truncate(newline);
}

void LoadUiTooltip(unsigned id, QString& text) {
    const QString full = LoadUiString(id);
    const qsizetype newline = full.indexOf(u'\n');
    text = newline >= 0 ? full.mid(newline + 1) : QString();
}

void ReportOpenErrors(const QStringList& paths) {
    for (const QString& path : paths) ReportFileError(kFileOpenError, path);
}

void ShowNotice(const UiNotice& notice) {
    if (notice.fileErrorCode != 0)
        ReportFileError(notice.fileErrorCode, notice.path);
    else if (notice.id != 0)
        UiMessageBoxDetailed(notice.id, notice.style, notice.detail);
}

void ShowWarnings(const std::vector<unsigned>& ids) {
    for (const unsigned id : ids) UiMessageBox(id, MB_OK | MB_ICONEXCLAMATION);
}

void ReportFileError(int code, const QString& path) {
    const unsigned id = IDS_FILE_ERROR_BASE + unsigned(code);
    QString text;
    // Every caller passes a path, and the user reads it as the system writes it.
    FormatUiString(text, id, {QDir::toNativeSeparators(path)});
    g_presenter->Present(id, LoadUiString(IDS_APP_TITLE), text, MB_OK | MB_ICONSTOP);
}

void ReportSettingsWriteFailures() {
    SetProfileWriteFailureHandler([](const QString& path) { ReportFileError(kFileSaveError, path); });
}
