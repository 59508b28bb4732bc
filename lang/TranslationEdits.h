// What the Edit translation dialog lists, shows and stores, kept apart from
// the widgets: one row per text entry of the base table, in file order, each
// with its editable translation (empty = not translated).
#pragma once

#include "lang/LanguageTable.h"

#include <QString>
#include <vector>

// List rows show the first line of the base text, cut to this many
// characters plus "..." when it is longer than kItemTextLimit.
constexpr int kItemTextLimit = 25;
constexpr int kItemTextKeep = 23;

// Images of the list's rows: two per kind of text, translated first.
enum TranslationStateImage : int {
    kImageMenuTranslated = 0,
    kImageMenuNotTranslated = 1,
    kImageDialogTranslated = 2,
    kImageDialogNotTranslated = 3,
    kImageStringTranslated = 4,
    kImageStringNotTranslated = 5,
    kStateImageCount = 6,
};

// The row text of a base text.
QString TranslationItemText(const QString& baseText);
// 2 x (kind - 1), plus 1 when not translated; a key of no known kind counts
// as a string.
int TranslationImageIndex(TranslationKey key, bool translated);
// A text as the edit boxes show it: every line break as carriage return +
// line feed, a tab escape left as backslash + t.
QString ShownTranslationText(const QString& text);
// What typing into the Translation box stores: the typed text without
// carriage returns, or empty (not translated) when that is blank or equals
// the base text exactly. Surrounding spaces of a real translation are kept.
QString StoredTranslationText(const QString& typed, const QString& baseText);

class TranslationEdits {
public:
    // Rows for the base table's text entries; each takes the text that
    // `edited` has for exactly the same key (no alias resolution), or empty.
    TranslationEdits(const LanguageTable& base, const LanguageTable& edited);

    int Count() const { return int(m_rows.size()); }
    TranslationKey KeyAt(int row) const { return m_rows[std::size_t(row)].key; }
    const QString& BaseTextAt(int row) const { return m_rows[std::size_t(row)].baseText; }
    const QString& TranslationAt(int row) const { return m_rows[std::size_t(row)].translation; }
    bool IsTranslated(int row) const { return !TranslationAt(row).isEmpty(); }
    int ImageAt(int row) const { return TranslationImageIndex(KeyAt(row), IsTranslated(row)); }

    // Stores what was typed for a row under the storing rule above.
    void Store(int row, const QString& typed);
    void Reset(int row) { m_rows[std::size_t(row)].translation.clear(); }

    // True when every translation can be written to a language file as it is.
    bool FitsCodePage() const;
    // A translation table: one text entry per translated row in base order,
    // with the base entry's key, and no aliases.
    LanguageTable BuildTable() const;

private:
    struct Row {
        TranslationKey key;
        QString baseText;
        QString translation;
    };
    std::vector<Row> m_rows;
};
