#include "cmdline/ConfigFileArg.h"

#include "base/FileIo.h"
#include "base/ExitCodes.h"
#include "lang/UiText.h"
#include "model/ConfigFile.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// The file's bytes; when it cannot be read, the open error is reported.
int ReadFileArg(const QString& path, FileBytes& file) {
    file = ReadConfigFile(path);
    if (file.ok()) return EXIT_OK;
    ReportFileArgError(kFileOpenError, path, file.error);
    return EXIT_NO_INPUT;
}

}  // namespace

int SaveFileArg(const QString& path, const QByteArray& bytes) {
    const FileError error = WriteFileSafely(path, bytes);
    if (error == FileError::None) return EXIT_OK;
    ReportFileArgError(kFileSaveError, path, error);
    return EXIT_CANNOT_CREATE;
}

int ReadInputArg(const QString& path, qint64 limit, QByteArray& bytes) {
    FileBytes file = ReadRegularFile(path, limit);
    if (file.ok()) {
        bytes = std::move(file.bytes);
        return EXIT_OK;
    }
    ReportFileArgError(kFileOpenError, path, file.error);
    return file.error == FileError::TooLarge ? EXIT_DATA_ERROR : EXIT_NO_INPUT;
}

int WriteOutputArg(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty() || path == QLatin1String("-")) {
        const std::size_t size = std::size_t(bytes.size());
        if (std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0) return EXIT_OK;
        std::fprintf(stderr, "vkx520ctl: standard output: %s\n", std::strerror(errno));
        std::clearerr(stdout);  // said here, with its reason
        return EXIT_CANNOT_CREATE;
    }
    return SaveFileArg(path, bytes);
}

void ReportFileArgError(int code, const QString& path, FileError error) {
    ReportFileError(code, path);
    const FileUse use = code == kFileSaveError ? FileUse::Write : FileUse::Read;
    std::fprintf(stderr, "vkx520ctl: %s: %s\n", QDir::toNativeSeparators(path).toLocal8Bit().constData(),
                 DescribeFileError(path, error, use).toLocal8Bit().constData());
}

int LoadConfigFileArg(CMainDoc& doc, const QString& path, uint32_t* version) {
    FileBytes file;
    if (const int status = ReadFileArg(path, file); status != EXIT_OK) return status;
    const QByteArray& bytes = file.bytes;
    if (!doc.LoadFileBytes(bytes, path)) {  // checked sizes before this point
        ShowNotice(doc.lastNotice());
        return EXIT_DATA_ERROR;
    }
    if (version) {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData() + 4);
        *version = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    return EXIT_OK;
}

int CheckOutputFileArg(const QString& path) {
    // Nothing that stays is written, so an existing file is left alone while
    // the folder proves writable and the target a file that may be replaced.
    if (const FileError error = CheckWritableTarget(path); error != FileError::None) {
        ReportFileArgError(kFileSaveError, path, error);
        return EXIT_CANNOT_CREATE;
    }
    return EXIT_OK;
}

int LoadConfigFileArg(ConfigFileContents& contents, const QString& path) {
    FileBytes file;
    if (const int status = ReadFileArg(path, file); status != EXIT_OK) return status;
    const std::optional<ConfigFileContents> parsed = ParseConfigFile(file.bytes);
    if (!parsed) {
        ReportFileError(kFileCorruptError, path);
        return EXIT_DATA_ERROR;
    }
    contents = *parsed;
    return EXIT_OK;
}

int SaveConfigFileArg(const ConfigFileContents& contents, const QString& path) {
    return SaveFileArg(path,
                       SerializeConfigFile(contents.image, contents.inputLabels.data(), contents.panelLabels.data()));
}

int SaveConfigFileArg(CMainDoc& doc, const QString& path) {
    if (doc.SaveFile(path)) return EXIT_OK;
    ReportFileArgError(kFileSaveError, path, doc.lastSaveError());
    return EXIT_CANNOT_CREATE;
}
