#include "base/Settings.h"

#include "base/CodePage.h"
#include "base/DiagLog.h"
#include "base/FileIo.h"
#include "base/ProgramPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace {

QString g_profilePath;

// The settings file is a Windows private-profile file: 8-bit text in the
// Windows code page. Its bytes are kept as lines with their own line ends so
// that a change rewrites one line and leaves every other byte as it was.
// Settings files are a few hundred bytes; this only guards memory.
constexpr qint64 kMaxProfileSize = 128 * 1024 * 1024;

struct ParsedProfile {
    FileStamp stamp;
    bool readable = true;     // false: a special or oversized file, never rewritten
    QList<QByteArray> lines;  // each with its terminator; the last may have none
    struct Section {
        qsizetype end = 0;               // where a new key goes: after its last non-blank line
        QHash<QString, qsizetype> keys;  // lower-case key -> first line
    };
    QHash<QString, Section> sections;  // lower-case name -> first section of that name
};

QByteArray Stripped(const QByteArray& raw) {
    QByteArray line = raw;
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    return line;
}

// Text read back as it was written: earlier versions of the program wrote
// UTF-8, so a value that is valid UTF-8 beyond ASCII is read as such.
QString DecodeProfileText(const QByteArray& bytes) {
    bool ascii = true;
    for (char c : bytes) ascii = ascii && uchar(c) < 0x80;
    if (ascii) return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return FromCodePage(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

QByteArray EncodeProfileText(const QString& text) {
    bool lossless = true;
    const std::string bytes = ToCodePage(text, &lossless);
    // A name the code page cannot hold (a Cyrillic language title) is kept in
    // UTF-8, which reads back, rather than as question marks, which do not.
    return lossless ? QByteArray::fromStdString(bytes) : text.toUtf8();
}

QString SectionName(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    if (!t.startsWith('[')) return {};
    const qsizetype close = t.indexOf(']');
    return close > 0 ? DecodeProfileText(t.mid(1, close - 1).trimmed()) : QString();
}

void Index(ParsedProfile& p) {
    ParsedProfile::Section* current = nullptr;
    bool ignoring = false;  // a repeated section is not searched, as before
    for (qsizetype i = 0; i < p.lines.size(); ++i) {
        const QByteArray line = Stripped(p.lines[i]);
        if (line.trimmed().startsWith('[')) {
            const QString name = SectionName(line).toLower();
            ignoring = p.sections.contains(name);
            current = ignoring ? nullptr : &p.sections[name];
            if (current) current->end = i + 1;
            continue;
        }
        if (!current) continue;
        if (!line.trimmed().isEmpty()) current->end = i + 1;
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) continue;
        const QString key = DecodeProfileText(line.left(eq).trimmed()).toLower();
        if (!current->keys.contains(key)) current->keys.insert(key, i);
    }
}

ParsedProfile Parse(const FileStamp& stamp, const QByteArray& bytes) {
    ParsedProfile p;
    p.stamp = stamp;
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', from);
        const qsizetype to = nl < 0 ? bytes.size() : nl + 1;
        p.lines << bytes.mid(from, to - from);
        from = to;
    }
    Index(p);
    return p;
}

// The files read so far, each read again only when it changed on disk.
struct ProfileCache {
    std::mutex mutex;
    QHash<QString, std::shared_ptr<const ParsedProfile>> files;
};

ProfileCache& Cache() {
    static ProfileCache cache;
    return cache;
}

void Remember(const QString& path, std::shared_ptr<const ParsedProfile> parsed) {
    ProfileCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    cache.files.insert(path, std::move(parsed));
}

std::shared_ptr<const ParsedProfile> Load(const QString& path) {
    const FileStamp stamp = GetFileStamp(path);
    {
        ProfileCache& cache = Cache();
        std::lock_guard lock(cache.mutex);
        const auto it = cache.files.constFind(path);
        if (it != cache.files.cend() && (*it)->stamp == stamp) return *it;
    }
    auto parsed = std::make_shared<ParsedProfile>();
    if (stamp.exists) {
        const FileBytes file = ReadRegularFile(path, kMaxProfileSize);
        *parsed = Parse(stamp, file.bytes);
        parsed->readable = file.ok();
    } else {
        parsed->stamp = stamp;
    }
    Remember(path, parsed);
    return parsed;
}

qsizetype FindKey(const ParsedProfile& p, const QString& section, const QString& key) {
    const auto s = p.sections.constFind(section.toLower());
    if (s == p.sections.cend()) return -1;
    return s->keys.value(key.toLower(), -1);
}

QByteArray LineEnd(const ParsedProfile& p) {
    return !p.lines.isEmpty() && p.lines.first().endsWith("\n") && !p.lines.first().endsWith("\r\n") ? "\n" : "\r\n";
}

std::function<void(const QString&)> g_writeFailure;
std::atomic<bool> g_writeFailureSaid{false};

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

namespace {
// The value a key's line holds, as it reads.
QString LineValue(const QByteArray& rawLine) {
    const QByteArray line = Stripped(rawLine);
    QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) value = value.mid(1, value.size() - 2);
    return DecodeProfileText(value);
}
}  // namespace

QString ProfileFile::GetString(const QString& section, const QString& key, const QString& defaultValue) const {
    const auto profile = Load(m_path);
    const qsizetype at = FindKey(*profile, section, key);
    return at < 0 ? defaultValue : LineValue(profile->lines[at]);
}

int ProfileFile::GetInt(const QString& section, const QString& key, int defaultValue) const {
    const QString none = QStringLiteral("\x01");
    const QString value = GetString(section, key, none);
    return value == none ? defaultValue : ParseProfileInt(value);
}

bool ProfileFile::WriteString(const QString& section, const QString& key, const QString& value) const {
    const auto profile = Load(m_path);
    QList<QByteArray> lines = profile->lines;
    const QByteArray eol = LineEnd(*profile);
    // Line numbers come from the file as read: at most one line is added, as
    // the last step.
    const auto append = [&](qsizetype at, const QByteArray& text) {
        // The line before a new one must end: a file may lack its last line end.
        if (at > 0 && !lines[at - 1].endsWith('\n')) lines[at - 1] += eol;
        lines.insert(at, text + eol);
    };
    const QByteArray entry = EncodeProfileText(key) + '=' + EncodeProfileText(value);
    const qsizetype at = FindKey(*profile, section, key);
    // A value stored in other bytes that read the same (UTF-8 from earlier
    // versions, quotes) is stored: rewriting it would change nothing read.
    if (at >= 0 && LineValue(lines[at]) == value) return true;
    if (at >= 0) {
        const QByteArray& old = lines[at];
        lines[at] = entry + old.mid(Stripped(old).size());
    } else if (const auto s = profile->sections.constFind(section.toLower()); s != profile->sections.cend()) {
        append(s->end, entry);
    } else {
        append(lines.size(), '[' + EncodeProfileText(section) + ']');
        append(lines.size(), entry);
    }
    if (lines == profile->lines) return true;  // already stored: leave the file alone
    const QByteArray bytes = lines.join();
    MakeOwnFolder(QFileInfo(m_path).absolutePath());
    if (!profile->readable || WriteFileSafely(m_path, bytes) != FileError::None) {
        if (!g_writeFailureSaid.exchange(true)) {
            LogMessage("Settings cannot be saved to %s", QFile::encodeName(m_path).constData());
            if (g_writeFailure) g_writeFailure(m_path);
        }
        return false;
    }
    // What was written is what the file now holds: no need to read it back.
    Remember(m_path, std::make_shared<const ParsedProfile>(Parse(GetFileStamp(m_path), bytes)));
    return true;
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

ProfileFile AppProfile() { return ProfileFile(g_profilePath.isEmpty() ? ProgramSettingsPath() : g_profilePath); }

void SetAppProfilePath(const QString& path) {
    g_profilePath = path;
    ForgetProfileCache();
}

void ForgetProfileCache() {
    ProfileCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    cache.files.clear();
}

void SetProfileWriteFailureHandler(std::function<void(const QString& path)> handler) {
    g_writeFailure = std::move(handler);
    g_writeFailureSaid = false;
}
