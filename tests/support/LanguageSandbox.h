// A program directory of its own for a test: the settings file and the
// language files lie in a temporary folder, and the global language manager
// looks there. Afterwards translation is off and everything points back at
// the executable.
#pragma once

#include "base/Settings.h"
#include "lang/LanguageManager.h"
#include "support/LanguageTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace langtest {

class LanguageSandbox {
public:
    LanguageSandbox() {
        SetAppProfilePath(Path("VKX520Setup.ini"));
        Languages().SetProgramLocation(m_dir.path(), kTitle);
    }
    ~LanguageSandbox() {
        Languages().Reset();
        SetAppProfilePath({});
    }
    LanguageSandbox(const LanguageSandbox&) = delete;
    LanguageSandbox& operator=(const LanguageSandbox&) = delete;

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Directory() const { return m_dir.path(); }

    void WriteBase(const std::vector<LanguageText>& texts, const std::vector<LanguageAlias>& aliases = {}) const {
        WriteBytes(Path(kTitle + ".lna"), FileBytes(texts, aliases));
    }
    void WriteTranslation(const QString& title, const std::vector<LanguageText>& texts) const {
        WriteBytes(Path(title + ".lng"), FileBytes(texts));
    }
    // The language files committed with the program.
    void CopyShippedFiles() const {
        for (const char* name : {"VKX520Setup.lna", "Deutsch.lng"})
            EXPECT_TRUE(QFile::copy(QStringLiteral(VKX_SOURCE_DIR "/res/lang/") + name, Path(name))) << name;
    }
    QStringList TranslationFiles() const { return QDir(m_dir.path()).entryList({"*.lng"}, QDir::Files, QDir::Name); }
    bool Start() const { return Languages().InitLanguages(); }

    inline static const QString kTitle = QStringLiteral("VKX520Setup");

private:
    QTemporaryDir m_dir;
};

}  // namespace langtest
