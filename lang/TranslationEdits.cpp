#include "lang/TranslationEdits.h"

#include "base/CodePage.h"

#include <algorithm>

QString TranslationItemText(const QString& baseText) {
    QString text = baseText.left(baseText.indexOf(u'\n'));
    if (text.size() > kItemTextLimit) text = text.left(kItemTextKeep) + QStringLiteral("...");
    return text;
}

int TranslationImageIndex(TranslationKey key, bool translated) {
    unsigned kind = KeyKind(key);
    if (kind < unsigned(TranslationKind::Menu)) kind = unsigned(TranslationKind::String);
    return 2 * int(kind - 1) + (translated ? 0 : 1);
}

QString ShownTranslationText(const QString& text) {
    QString shown;
    shown.reserve(text.size() + text.count(u'\n'));
    for (const QChar c : text) {
        if (c == u'\n') shown += u'\r';
        shown += c;
    }
    return shown;
}

QString StoredTranslationText(const QString& typed, const QString& baseText) {
    QString text = typed;
    text.remove(u'\r');
    if (text.trimmed().isEmpty() || text == baseText) return {};
    return text;
}

TranslationEdits::TranslationEdits(const LanguageTable& base, const LanguageTable& edited) {
    m_rows.reserve(base.Texts().size());
    for (const LanguageTextEntry& entry : base.Texts())
        m_rows.push_back({entry.key, base.DecodedTextOf(entry), edited.FindDecodedText(entry.key).value_or(QString())});
}

void TranslationEdits::Store(int row, const QString& typed) {
    Row& r = m_rows[std::size_t(row)];
    r.translation = StoredTranslationText(typed, r.baseText);
}

bool TranslationEdits::FitsCodePage() const {
    return std::all_of(m_rows.begin(), m_rows.end(), [](const Row& r) {
        bool lossless = true;
        ToCodePage(r.translation, &lossless);
        return lossless;
    });
}

LanguageTable TranslationEdits::BuildTable() const {
    std::vector<LanguageText> texts;
    for (const Row& r : m_rows)
        if (!r.translation.isEmpty()) texts.push_back({r.key, r.translation});
    return LanguageTable::Build(texts);
}
