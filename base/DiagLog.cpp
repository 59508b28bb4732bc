#include "base/DiagLog.h"

#include "base/ProgramPaths.h"
#include "base/Settings.h"

#include <QFile>

#include <cstdarg>
#include <cstdio>
#include <mutex>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int kMaxMessageChars = 767;

struct LogState {
    std::mutex mutex;
    bool decided = false;
    bool on = false;
    bool complained = false;
    QString path;
};

LogState& State() {
    static LogState state;
    return state;
}

// The path to write to, or empty when the log is off. The settings are read
// at the first call only.
QString LogPath() {
    LogState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.decided) {
        state.decided = true;
        state.on = AppProfile().GetInt(QStringLiteral("Debug"), QStringLiteral("Log"), 0) != 0;
        if (state.on) {
            state.path = ProgramLogPath();
            MakeOwnFolder(LogFolder());  // a line is about to be written
        }
    }
    return state.on ? state.path : QString();
}

// A log that cannot be written is said once on standard error, where the
// person who asked for it (--log, Log=1) can see it; the lines are dropped.
void ComplainOnce(const QString& path, const char* reason) {
    LogState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.complained) return;
    state.complained = true;
    std::fprintf(stderr, "log file %s cannot be written: %s\n", QFile::encodeName(path).constData(), reason);
}

// Opens the log for appending; -1 with why set when it cannot be a log.
int OpenLogFile(const QString& path, const char** why) {
#ifdef Q_OS_WIN
    int fd = -1;
    if (_wsopen_s(&fd, reinterpret_cast<const wchar_t*>(path.utf16()), _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY,
                  _SH_DENYWR, _S_IREAD | _S_IWRITE) != 0) {
        *why = "cannot be opened";
        return -1;
    }
    return fd;
#else
    const QByteArray native = QFile::encodeName(path);
    // Without blocking: a FIFO nobody reads must not stop the program, and
    // only a regular file is a log (never a device node or a FIFO), which is
    // said as such even where opening it fails for that reason.
    struct stat st {};
    if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        *why = "not a regular file";
        return -1;
    }
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *why = fd < 0 ? std::strerror(errno) : "not a regular file";
        if (fd >= 0) ::close(fd);
        return -1;
    }
    return fd;
#endif
}

// Appends the line with every other writer denied; drops it when the file is
// busy or cannot be opened. The program's own threads (several units written
// at once) take turns, so that only another program's hold drops a line.
void AppendExclusive(const QString& path, const QByteArray& line) {
    static std::mutex appending;
    std::lock_guard turn(appending);
    const char* why = nullptr;
    const int fd = OpenLogFile(path, &why);
    if (fd < 0) {
        ComplainOnce(path, why);
        return;
    }
#ifdef Q_OS_WIN
    _write(fd, line.constData(), unsigned(line.size()));
    _close(fd);
#else
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const ssize_t written = ::write(fd, line.constData(), std::size_t(line.size()));
        (void)written;  // a short write is not reported, as no log failure is
    }
    ::close(fd);  // also releases the lock
#endif
}

}  // namespace

QByteArray FormatLogLine(const QDateTime& when, const QByteArray& text) {
    const QDate d = when.date();
    const QTime t = when.time();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d:%02d - ", d.day(), d.month(), d.year(), t.hour(),
                  t.minute(), t.second());
    return QByteArray(stamp) + text + "\r\n";
}

void LogMessage(const char* format, ...) {
    const QString path = LogPath();
    if (path.isEmpty()) return;
    char text[kMaxMessageChars + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    AppendExclusive(path, FormatLogLine(QDateTime::currentDateTime(), QByteArray(text)));
}

void SetLogFile(const QString& path) {
    LogState& state = State();
    std::lock_guard lock(state.mutex);
    state.decided = true;
    state.on = !path.isEmpty();
    state.complained = false;
    state.path = path;
}

void ResetLogState() {
    LogState& state = State();
    std::lock_guard lock(state.mutex);
    state.decided = false;
    state.on = false;
    state.complained = false;
    state.path.clear();
}

const char* LogFileProblem(const QString& path) {
    const char* why = nullptr;
    const int fd = OpenLogFile(path, &why);
    if (fd < 0) return why;
#ifdef Q_OS_WIN
    _close(fd);
#else
    ::close(fd);
#endif
    return nullptr;
}
