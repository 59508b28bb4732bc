#include "app/Settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

QString g_profilePath;

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QStringList SplitLines(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    QString text = QString::fromUtf8(bytes);
    text.remove(u'\r');
    return text.split(u'\n');
}

QStringList ReadLines(const QString& path) { return SplitLines(ReadBytes(path)); }

QString SectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) return {};
    const qsizetype close = t.indexOf(u']');
    return close > 0 ? t.mid(1, close - 1).trimmed() : QString();
}

bool IsSection(const QString& line) { return line.trimmed().startsWith(u'['); }

// Index of the line "key=..." inside the section, or -1; sectionEnd receives
// the index after the section's last line (or -1 when the section is absent).
qsizetype FindKey(const QStringList& lines, const QString& section, const QString& key, qsizetype& sectionEnd) {
    sectionEnd = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsSection(lines[i])) {
            if (inSection) return -1;
            inSection = SectionName(lines[i]).compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (!lines[i].trimmed().isEmpty()) sectionEnd = i + 1;
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

}  // namespace

int ParseProfileInt(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    long long value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i++].unicode() - u'0');
        if (value > 0x7FFFFFFFLL) value = 0x7FFFFFFFLL;
    }
    return int(negative ? -value : value);
}

QString ProfileFile::GetString(const QString& section, const QString& key, const QString& defaultValue) const {
    const QStringList lines = ReadLines(m_path);
    qsizetype end;
    const qsizetype at = FindKey(lines, section, key, end);
    if (at < 0) return defaultValue;
    QString value = lines[at].mid(lines[at].indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) value = value.mid(1, value.size() - 2);
    return value;
}

int ProfileFile::GetInt(const QString& section, const QString& key, int defaultValue) const {
    const QString none = QStringLiteral("\x01");
    const QString value = GetString(section, key, none);
    return value == none ? defaultValue : ParseProfileInt(value);
}

bool ProfileFile::WriteString(const QString& section, const QString& key, const QString& value) const {
    const QByteArray before = ReadBytes(m_path);
    QStringList lines = SplitLines(before);
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    qsizetype end;
    const qsizetype at = FindKey(lines, section, key, end);
    const QString entry = key + u'=' + value;
    if (at >= 0) {
        lines[at] = entry;
    } else if (end >= 0) {
        lines.insert(end, entry);
    } else {
        lines << (u'[' + section + u']') << entry;
    }
    const QByteArray after = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    // Storing what is already stored leaves the file alone: both programs
    // store their language at every start, and a replacement costs a flush to disk.
    if (after == before) return true;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(after);
    return file.commit();
}

bool ProfileFile::WriteInt(const QString& section, const QString& key, int value) const {
    return WriteString(section, key, QString::number(value));
}

QString ExecutablePath() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString ExecutableDir() { return QFileInfo(ExecutablePath()).absolutePath(); }

QString ExecutableSibling(const QString& extension) {
    const QFileInfo exe(ExecutablePath());
    return exe.absolutePath() + u'/' + exe.completeBaseName() + extension;
}

ProfileFile AppProfile() { return ProfileFile(g_profilePath.isEmpty() ? ExecutableSibling(QStringLiteral(".ini")) : g_profilePath); }

void SetAppProfilePath(const QString& path) { g_profilePath = path; }
