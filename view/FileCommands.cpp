#include "view/FileCommands.h"

#include "base/DiagLog.h"
#include "base/FileIo.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "model/LabelSheet.h"
#include "render/ConfigPainter.h"
#include "res/resource.h"
#include "view/ClosePrompt.h"
#include "view/DeviceCommands.h"
#include "view/MainView.h"
#include "view/ViewDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace {
const QString kConfigFileExtension = QStringLiteral(".vkcfg");
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

QString ConfigFileFilter() {
    return QStringLiteral("%1 (*%2)").arg(LoadUiString(IDS_CONFIG_FILES), kConfigFileExtension);
}

FileCommands::FileCommands(FrameHost* frame, CMainDoc& doc, CMainView& view, DeviceCommands& device)
    : m_pFrame(frame), m_doc(doc), m_view(view), m_device(device) {
    SetDialogs(nullptr);
}

FileCommands::~FileCommands() = default;

CommandBindings FileCommands::Bindings() {
    const auto withConfig = [this](CmdUI& ui) { ui.Enable(m_doc.hasConfig()); };
    return {
        {ID_FILE_OPEN, [this] { OnFileOpen(); }, {}},
        {ID_FILE_SAVE, [this] { OnFileSave(); }, withConfig},
        {ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); }, withConfig},
        {ID_FILE_CLOSE, [this] { OnFileClose(); }, withConfig},
        {ID_FILE_PRINT, [this] { OnFilePrint(); }, withConfig},
        {ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); }, withConfig},
        {ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); }, {}},
        {ID_FILE_EXPORT_LABELS, [this] { OnFileExportLabels(); }, withConfig},
        {ID_FILE_IMPORT_LABELS, [this] { OnFileImportLabels(); }, withConfig},
    };
}

void FileCommands::SetDialogs(ViewDialogs* dialogs) {
    if (!dialogs && !m_qtDialogs) m_qtDialogs = std::make_unique<QtViewDialogs>();
    m_dialogs = dialogs ? dialogs : m_qtDialogs.get();
}

void FileCommands::OnFileOpen() {
    if (!RunClosePrompt()) return;
    OpenChosenFile(m_dialogs->GetOpenFileName(&m_view, ConfigFileFilter(), m_doc.filePath()));
}

void FileCommands::OpenFileFromOutside(const QString& path) {
    if (RunClosePrompt()) OpenChosenFile(path);
}

void FileCommands::OpenChosenFile(const QString& path) {
    // A failed load leaves the configuration as it was, so nothing is reset before.
    if (path.isEmpty()) return;
    if (!m_doc.LoadFile(path)) {
        ShowNotice(m_doc.lastNotice());
        return;
    }
    m_view.ShowNewConfiguration();
}

void FileCommands::SaveTo(const QString& path) {
    if (!m_doc.SaveFile(path)) {
        ShowNotice(m_doc.lastNotice());
        return;
    }
    m_view.MarkSaved();
    if (m_pFrame) m_pFrame->OnUpdateFrameTitle();
}

void FileCommands::OnFileSave() {
    if (m_doc.filePath().isEmpty()) {
        OnFileSaveAs();
        return;
    }
    SaveTo(m_doc.filePath());
}

void FileCommands::OnFileSaveAs() {
    const QString path =
        m_dialogs->GetSaveFileName(&m_view, ConfigFileFilter(), m_doc.filePath(), kConfigFileExtension.mid(1));
    if (!path.isEmpty()) SaveTo(path);
}

void FileCommands::OnFileClose() {
    if (m_doc.deviceBound() && m_doc.configModified()) m_device.WriteConfig();
    if (!RunClosePrompt()) return;
    m_doc.ResetConfig();
    m_view.ShowNewConfiguration();
}

bool FileCommands::RunClosePrompt() {
    return ::RunClosePrompt(m_doc, [this] { OnFileSave(); });
}

bool FileCommands::SaveModified() {
    if (m_doc.deviceBound() && m_doc.configModified()) m_device.WriteConfig();
    return RunClosePrompt();
}

// --- printing ------------------------------------------------------------------------

QPrinter& FileCommands::Printer() {
    // Made on first use: finding the system's printers can take a moment.
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool FileCommands::PrintOnePage(QPrinter& printer) {
    if (PrintConfiguration(printer, m_view.Layout(), m_view.Skin(), m_doc)) return true;
    LogMessage("FileCommands::PrintOnePage(): the printer could not be started");
    return false;
}

void FileCommands::OnFilePrint() {
    QPrinter& printer = Printer();
    if (m_dialogs->ChoosePrinter(&m_view, printer)) PrintOnePage(printer);
}

void FileCommands::OnFilePrintPreview() {
    m_dialogs->ShowPrintPreview(&m_view, Printer(), [this](QPrinter& printer) { PrintOnePage(printer); });
}

void FileCommands::OnFilePrintSetup() { m_dialogs->PageSetup(&m_view, Printer()); }

// --- the labels as a spreadsheet: its format and checks live in model/LabelSheet ----------

void FileCommands::OnFileExportLabels() {
    const QString path =
        m_dialogs->GetSaveFileName(&m_view, SheetFilter(), SheetBeside(m_doc.filePath()), kSheetExtension);
    if (path.isEmpty()) return;
    const QByteArray sheet = ExportLabelSheet(m_doc, [this](int code) { return m_view.Skin().ConfigName(code); });
    if (WriteFileSafely(path, sheet) != FileError::None) ReportFileError(kFileSaveError, path);
}

void FileCommands::OnFileImportLabels() {
    const QString path = m_dialogs->GetOpenFileName(&m_view, SheetFilter(), SheetBeside(m_doc.filePath()));
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
    m_view.EditAsOneStep(stepText, [&] {
        result = ImportLabelSheet(m_doc, file.bytes);
        return result.changed > 0;
    });
    if (!result.ok())
        UiMessageBoxFormatted(IDS_SHEET_IMPORT_FAILED, {name, LabelSheetErrorLines(result.errors)},
                              MB_OK | MB_ICONEXCLAMATION);
    else
        ShowStatusNote(m_pFrame, IDS_SHEET_IMPORTED, {name, QString::number(result.changed)});
}
