// CMainView: the File commands (Open, Save, Save As, Close with the "not
// saved" prompt), the save-modified hook, and Print, Print Preview and Print Setup.
#include "view/MainView.h"

#include "lang/UiText.h"
#include "base/DiagLog.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/ClosePrompt.h"
#include "view/ViewDialogs.h"

#include <QPrinter>

namespace {
const QString kConfigFileExtension = QStringLiteral(".vkcfg");
}

void CMainView::RegisterFileCommands() {
    const auto withConfig = [this](CmdUI& ui) { ui.Enable(HasConfig()); };
    m_pFrame->SetCommandHandler(ID_FILE_OPEN, [this] { OnFileOpen(); });
    m_pFrame->SetCommandHandler(
        ID_FILE_SAVE, [this] { OnFileSave(); }, withConfig);
    m_pFrame->SetCommandHandler(
        ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); }, withConfig);
    m_pFrame->SetCommandHandler(
        ID_FILE_CLOSE, [this] { OnFileClose(); }, withConfig);
    m_pFrame->SetCommandHandler(
        ID_FILE_PRINT, [this] { OnFilePrint(); }, withConfig);
    m_pFrame->SetCommandHandler(
        ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); }, withConfig);
    m_pFrame->SetCommandHandler(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    m_pFrame->SetCommandHandler(ID_FILE_OPEN_BACKUP, [this] { OnFileOpenBackup(); });
    m_pFrame->SetCommandHandler(
        ID_FILE_COMPARE, [this] { OnFileCompare(); }, withConfig);
    m_pFrame->SetCommandHandler(
        ID_FILE_EXPORT_LABELS, [this] { OnFileExportLabels(); }, withConfig);
    m_pFrame->SetCommandHandler(
        ID_FILE_IMPORT_LABELS, [this] { OnFileImportLabels(); }, withConfig);
    m_pFrame->SetOpenFileHandler([this](const QString& path) { OpenFileFromOutside(path); });
}

bool CMainView::HasConfig() const { return m_pDoc && m_pDoc->hasConfig(); }

// "Configuration files (*.vkcfg)"
QString CMainView::ConfigFileFilter() const {
    return QStringLiteral("%1 (*%2)").arg(LoadUiString(IDS_CONFIG_FILES), kConfigFileExtension);
}

void CMainView::OnFileOpen() {
    if (!RunClosePrompt()) return;
    OpenChosenFile(m_dialogs->GetOpenFileName(this, ConfigFileFilter(), m_pDoc->filePath()));
}

void CMainView::OpenFileFromOutside(const QString& path) {
    if (RunClosePrompt()) OpenChosenFile(path);
}

void CMainView::OpenChosenFile(const QString& path) {
    // A failed load leaves the configuration as it was, so nothing is reset before.
    if (path.isEmpty()) return;
    if (!m_pDoc->LoadFile(path)) {
        ShowNotice(m_pDoc->lastNotice());
        return;
    }
    BuildLayout();
    ResetHistory();
}

void CMainView::SaveTo(const QString& path) {
    if (!m_pDoc->SaveFile(path)) {
        ShowNotice(m_pDoc->lastNotice());
        return;
    }
    m_undo.SetClean(CurrentEditState());
    if (m_pFrame) m_pFrame->OnUpdateFrameTitle();
}

void CMainView::OnFileSave() {
    if (m_pDoc->filePath().isEmpty()) {
        OnFileSaveAs();
        return;
    }
    SaveTo(m_pDoc->filePath());
}

void CMainView::OnFileSaveAs() {
    const QString path =
        m_dialogs->GetSaveFileName(this, ConfigFileFilter(), m_pDoc->filePath(), kConfigFileExtension.mid(1));
    if (!path.isEmpty()) SaveTo(path);
}

void CMainView::OnFileClose() {
    if (m_pDoc->deviceBound() && m_pDoc->configModified()) WriteConfig();
    if (!RunClosePrompt()) return;
    m_pDoc->ResetConfig();
    BuildLayout();
    ResetHistory();
}

bool CMainView::RunClosePrompt() {
    return ::RunClosePrompt(*m_pDoc, [this] { OnFileSave(); });
}

bool CMainView::SaveModified() {
    if (m_pDoc->deviceBound() && m_pDoc->configModified()) WriteConfig();
    return RunClosePrompt();
}

// --- printing ------------------------------------------------------------------------

QPrinter& CMainView::Printer() {
    // Made on first use: finding the system's printers can take a moment.
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool CMainView::PrintOnePage(QPrinter& printer) {
    if (PrintConfiguration(printer, m_layout, m_skin, *m_pDoc)) return true;
    LogMessage("CMainView::PrintOnePage(): the printer could not be started");
    return false;
}

void CMainView::OnFilePrint() {
    QPrinter& printer = Printer();
    if (m_dialogs->ChoosePrinter(this, printer)) PrintOnePage(printer);
}

void CMainView::OnFilePrintPreview() {
    m_dialogs->ShowPrintPreview(this, Printer(), [this](QPrinter& printer) { PrintOnePage(printer); });
}

void CMainView::OnFilePrintSetup() { m_dialogs->PageSetup(this, Printer()); }
