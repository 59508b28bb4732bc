#include "tools/langgen/LanguageFiles.h"

#include "base/CodePage.h"

#include <map>

namespace langgen {

QString EscapeTabs(const QString& text) {
    QString escaped = text;
    escaped.replace(u'\t', QStringLiteral("\\t"));
    return escaped;
}

LanguageTable BuildBaseTable(const UiTextWalk& walk) {
    std::vector<LanguageText> texts;
    std::vector<LanguageAlias> aliases;
    std::map<QString, TranslationKey> firstKeyOf;
    for (const WalkedText& walked : walk.texts) {
        const QString text = EscapeTabs(walked.text);
        const auto [first, isNew] = firstKeyOf.emplace(text, walked.key);
        if (isNew)
            texts.push_back({walked.key, text});
        else
            aliases.push_back({walked.key, first->second});
    }
    return LanguageTable::Build(texts, aliases);
}

LanguageTable BuildTranslation(const LanguageTable& base, const Catalogue& catalogue, QStringList* missing) {
    std::map<QString, QString> translated;
    for (const auto& [from, to] : catalogue) translated.emplace(EscapeTabs(from), EscapeTabs(to));
    std::vector<LanguageText> texts;
    for (const LanguageTextEntry& entry : base.Texts()) {
        const QString baseText = base.DecodedTextOf(entry);
        const auto found = translated.find(baseText);
        bool lossless = false;
        if (found != translated.end()) ToCodePage(found->second, &lossless);
        if (!lossless) {
            if (missing) *missing << baseText;
            continue;
        }
        texts.push_back({entry.key, found->second});
    }
    return LanguageTable::Build(texts);
}

}  // namespace langgen
