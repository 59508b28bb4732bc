// The settings file (where it lies: base/ProgramPaths.h), read and written with private-profile
// semantics: sections in square brackets, "key=value" lines, names compared
// without regard to case, a missing file/section/key gives the default and a
// non-numeric integer reads as 0.
#pragma once

#include <QString>

#include <functional>

class ProfileFile {
public:
    explicit ProfileFile(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }

    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    QString GetString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // A write changes the key's line alone and keeps every other byte; the
    // file is replaced atomically, and not at all when the value is already
    // stored. False when it cannot be written (the old file stays).
    bool WriteInt(const QString& section, const QString& key, int value) const;
    bool WriteString(const QString& section, const QString& key, const QString& value) const;

private:
    QString m_path;
};

// The running program's executable, and a file beside it with the same base
// name and another extension (".ini", ".log", ".lna").
QString ExecutablePath();
QString ExecutableDir();
QString ExecutableSibling(const QString& extension);

// The application's profile: ProgramSettingsPath() unless a test or tool
// points it elsewhere.
ProfileFile AppProfile();
void SetAppProfilePath(const QString& path);  // empty restores the default

// Settings files are read once and again only when they change on disk; a
// tool or test that rewrites one faster than the file system's clock ticks
// drops what was read.
void ForgetProfileCache();

// The first settings write of a process that fails is logged and handed, with
// the file's path, to this handler: the layer that talks to the user says so
// (ReportSettingsWriteFailures).
void SetProfileWriteFailureHandler(std::function<void(const QString& path)> handler);

// Reads an integer as the private-profile functions do: optional blanks and
// sign, then decimal digits; anything else stops the number ("12ab" = 12, "x" = 0).
int ParseProfileInt(const QString& text);
