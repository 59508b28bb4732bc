#include "cli/ConfigFileArg.h"

#include "cli/ExitCodes.h"
#include "lang/UiText.h"
#include "model/ConfigFile.h"

#include <QFile>
#include <QSaveFile>

namespace {
constexpr int kFileOpenError = 1;    // ReportFileError codes
constexpr int kFileSaveError = 3;
}  // namespace

int LoadConfigFileArg(CMainDoc& doc, const QString& path, uint32_t* version) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportFileError(kFileOpenError, path);
        return EXIT_NO_INPUT;
    }
    const QByteArray bytes = file.read(qint64(kConfigFileSize));
    file.close();
    if (!doc.LoadFileBytes(bytes, path)) return EXIT_DATA_ERROR;  // checked sizes before this point
    if (version) {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData() + 4);
        *version = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    return EXIT_OK;
}

int CheckOutputFileArg(const QString& path) {
    // A save file writes beside the target and is cancelled here, so an
    // existing file is left alone while the folder proves writable.
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) {
        ReportFileError(kFileSaveError, path);
        return EXIT_CANNOT_CREATE;
    }
    probe.cancelWriting();
    return EXIT_OK;
}

int SaveConfigFileArg(CMainDoc& doc, const QString& path) {
    return doc.SaveFile(path) ? EXIT_OK : EXIT_CANNOT_CREATE;
}
