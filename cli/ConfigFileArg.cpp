#include "cli/ConfigFileArg.h"

#include "base/FileIo.h"
#include "base/ExitCodes.h"
#include "lang/UiText.h"
#include "model/ConfigFile.h"

#include <QDir>

#include <cstdio>

namespace {
constexpr int kFileOpenError = 1;  // ReportFileError codes
constexpr int kFileSaveError = 3;
}  // namespace

void PrintFileErrorReason(const QString& path, FileError error) {
    std::fprintf(stderr, "vkx520ctl: %s: %s\n", QDir::toNativeSeparators(path).toLocal8Bit().constData(),
                 FileErrorText(error));
}

int LoadConfigFileArg(CMainDoc& doc, const QString& path, uint32_t* version) {
    const FileBytes file = ReadConfigFile(path);
    if (!file.ok()) {
        ReportFileError(kFileOpenError, path);
        PrintFileErrorReason(path, file.error);
        return EXIT_NO_INPUT;
    }
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
        ReportFileError(kFileSaveError, path);
        PrintFileErrorReason(path, error);
        return EXIT_CANNOT_CREATE;
    }
    return EXIT_OK;
}

int SaveConfigFileArg(CMainDoc& doc, const QString& path) {
    if (doc.SaveFile(path)) return EXIT_OK;
    ShowNotice(doc.lastNotice());
    PrintFileErrorReason(path, doc.lastSaveError());
    return EXIT_CANNOT_CREATE;
}
