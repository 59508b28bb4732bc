#include "lang/LanguageManager.h"

#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "base/FileIo.h"
#include "lang/StringTable.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kBaseExtension = QStringLiteral(".lna");
const QString kTranslationExtension = QStringLiteral(".lng");
const QString kSettingsSection = QStringLiteral("Language");
const QString kSettingsKey = QStringLiteral("LangID");

// The manager whose tables LookupUiText currently reads, if any.
const LanguageManager* g_installed = nullptr;

qsizetype FindTitle(const QStringList& titles, const QString& name) {
    if (name.isEmpty()) return -1;
    // An exact match first: on file systems that tell case apart, "de" and
    // "DE" may both exist and each must stay selectable.
    const qsizetype exact = titles.indexOf(name);
    if (exact >= 0) return exact;
    for (qsizetype i = 0; i < titles.size(); ++i)
        if (titles[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

}  // namespace

LanguageManager::~LanguageManager() {
    if (g_installed == this) {
        SetUiTextLookup({});
        g_installed = nullptr;
    }
}

void LanguageManager::SetProgramLocation(const QString& directory, const QString& title) {
    m_directory = directory;
    m_title = title;
}

namespace {

QString WithSeparator(QString dir) {
    if (!dir.endsWith(u'/')) dir += u'/';
    return dir;
}

QStringList TranslationTitles(const QString& directory) {
    QStringList titles;
    const QStringList names =
        QDir(directory).entryList({u'*' + kTranslationExtension}, QDir::Files | QDir::CaseSensitive, QDir::Unsorted);
    for (const QString& name : names) titles << name.chopped(kTranslationExtension.size());
    return titles;
}

}  // namespace

QString LanguageManager::ProgramDirectory() const {
    return WithSeparator(m_directory.isEmpty() ? DataFolder() : m_directory);
}

QString LanguageManager::UserDirectory() const {
    return WithSeparator(m_directory.isEmpty() ? UserLanguageFolder() : m_directory);
}

QString LanguageManager::ProgramTitle() const {
    return m_title.isEmpty() ? QFileInfo(ExecutablePath()).completeBaseName() : m_title;
}

QString LanguageManager::FilePath(const QString& title, const QString& extension) const {
    if (extension == kTranslationExtension) {
        const QString own = WritePath(title, extension);
        if (QFileInfo::exists(own)) return own;
    }
    return ProgramDirectory() + title + extension;
}

QString LanguageManager::WritePath(const QString& title, const QString& extension) const {
    return UserDirectory() + title + extension;
}

void LanguageManager::Reset() {
    m_enabled = false;
    m_directory.clear();
    m_title.clear();
    m_base.Clear();
    m_translation.Clear();
    m_languageList.clear();
    m_currentName.clear();
    m_currentIndex = 0;
    m_storesChoice = true;
}

bool LanguageManager::InitLanguages() {
    m_translation.Clear();
    m_languageList.clear();
    m_currentName.clear();
    m_currentIndex = 0;
    m_enabled = LoadLanguageTable(m_base, ProgramTitle(), kBaseExtension) == LANG_OK;
    if (!m_enabled) return false;
    ScanLanguageFiles();
    m_currentName = AppProfile().GetString(kSettingsSection, kSettingsKey);
    SelectLanguageByName();
    InstallLookup();
    return true;
}

void LanguageManager::InstallLookup() {
    SetUiTextLookup([this](uint32_t key, QString& text) { return LookupText(key, text); });
    g_installed = this;
}

int LanguageManager::LoadLanguageTable(LanguageTable& table, const QString& title, const QString& extension) const {
    table.Clear();
    const FileBytes file = ReadRegularFile(FilePath(title, extension), qint64(kMaxLanguageFileSize));
    if (file.error == FileError::CannotOpen) return LANG_CANNOT_OPEN;
    if (!file.ok()) return LANG_BAD_FILE;  // a special file, too large, or unreadable
    return table.Parse(file.bytes);
}

int LanguageManager::SaveLanguageTable(const LanguageTable& table, const QString& title,
                                       const QString& extension) const {
    const QString path = WritePath(title, extension);
    MakeOwnFolder(UserDirectory());
    if (WriteFileSafely(path, table.Serialize()) != FileError::None) {
        ReportFileError(kFileSaveError, QDir::toNativeSeparators(path));
        return LANG_SAVE_FAILED;
    }
    return LANG_OK;
}

void LanguageManager::ScanLanguageFiles() {
    m_languageList = TranslationTitles(ProgramDirectory());
    if (UserDirectory() == ProgramDirectory()) return;
    for (const QString& title : TranslationTitles(UserDirectory()))
        if (!m_languageList.contains(title)) m_languageList << title;
}

bool LanguageManager::SelectLanguageByName() {
    const qsizetype found = FindTitle(m_languageList, m_currentName);
    int n = int(found + 1);
    m_translation.Clear();
    // Load the listed file rather than the stored spelling of its name, which
    // may differ in case from the file's.
    if (n != 0 && LoadLanguageTable(m_translation, m_languageList[found], kTranslationExtension) != LANG_OK) n = 0;
    if (n == 0) m_currentName.clear();
    m_currentIndex = n;
    if (m_storesChoice) AppProfile().WriteString(kSettingsSection, kSettingsKey, m_currentName);
    return true;
}

bool LanguageManager::SelectLanguage(int n) {
    if (!m_enabled || n < 0 || n > m_languageList.size() || n == m_currentIndex) return false;
    m_currentName = n == 0 ? QString() : m_languageList[n - 1];
    return SelectLanguageByName();
}

std::optional<QString> LanguageManager::GetLanguageName(int n) const {
    if (n == 0) {
        const auto own = FindTableString(IDS_BASE_LANGUAGE);
        return own ? QString::fromUtf8(own->data(), qsizetype(own->size())) : QString();
    }
    if (n < 0 || n > m_languageList.size()) return std::nullopt;
    return m_languageList[n - 1];
}

QStringList LanguageManager::MenuLanguageNames() const {
    QStringList names;
    for (int n = 0; n < kMaxMenuLanguages; ++n) {
        const auto name = GetLanguageName(n);
        if (!name) break;
        names << *name;
    }
    return names;
}

bool LanguageManager::LookupText(TranslationKey key, QString& text) const {
    if (!m_enabled) return false;
    const TranslationKey resolved = m_base.ResolveAlias(key);
    std::optional<QString> found;
    if (m_currentIndex != 0) found = m_translation.FindDecodedText(resolved);
    if (!found) found = m_base.FindDecodedText(resolved);
    if (!found) return false;
    text = std::move(*found);
    text.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
    return true;
}

LanguageManager& Languages() {
    static LanguageManager manager;
    return manager;
}

bool InitCommandLineLanguages() {
    LanguageManager& languages = Languages();
    languages.SetProgramLocation({}, QStringLiteral("VKX520Setup"));
    languages.SetStoresChoice(false);
    return languages.InitLanguages();
}
