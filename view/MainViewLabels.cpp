// CMainView: File > Export labels... and Import labels...: the labels as a
// spreadsheet. The sheet's format and checks live in model/LabelSheet; the
// view chooses the file, records the import as one step and says how it went.
#include "view/MainView.h"

#include "base/FileIo.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "model/LabelSheet.h"
#include "res/resource.h"
#include "view/ViewDialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kSheetExtension = QStringLiteral("csv");

// "CSV files (*.csv)"
QString SheetFilter() { return QStringLiteral("%1 (*.%2)").arg(LoadUiString(IDS_SHEET_FILES), kSheetExtension); }

// Beside the configuration's file and named after it.
QString SheetBeside(const QString& configPath) {
    if (configPath.isEmpty()) return {};
    const QFileInfo file(configPath);
    return file.dir().filePath(file.completeBaseName() + u'.' + kSheetExtension);
}
}  // namespace

void CMainView::OnFileExportLabels() {
    const QString path =
        m_dialogs->GetSaveFileName(this, SheetFilter(), SheetBeside(m_pDoc->filePath()), kSheetExtension);
    if (path.isEmpty()) return;
    const QByteArray sheet = ExportLabelSheet(*m_pDoc, [this](int code) { return m_skin.ConfigName(code); });
    if (WriteFileSafely(path, sheet) != FileError::None) ReportFileError(kFileSaveError, path);
}

void CMainView::OnFileImportLabels() {
    const QString path = m_dialogs->GetOpenFileName(this, SheetFilter(), SheetBeside(m_pDoc->filePath()));
    if (path.isEmpty()) return;
    const FileBytes file = ReadRegularFile(path, kMaxLabelSheetBytes);
    if (!file.ok()) return ReportFileError(kFileOpenError, path);
    const QString name = QFileInfo(path).fileName();
    const auto stepText = [name] {
        QString text;
        FormatUiString(text, IDS_STEP_IMPORT_LABELS, {name});
        return text;
    };
    LabelSheetImport result;
    if (RecordEdit(stepText, [&] {
            result = ImportLabelSheet(*m_pDoc, file.bytes);
            return result.changed > 0;
        }))
        OnMouseChange();
    if (!result.ok())
        UiMessageBoxFormatted(IDS_SHEET_IMPORT_FAILED, {name, LabelSheetErrorLines(result.errors)},
                              MB_OK | MB_ICONEXCLAMATION);
    else
        ShowStatusNote(IDS_SHEET_IMPORTED, {name, QString::number(result.changed)});
}
