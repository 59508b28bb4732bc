// CMainView: what guards the device's configuration: the backups kept at
// Connect and Load configuration, the read-back after a write, and comparing
// the displayed configuration with a file or the device.
#include "view/MainView.h"

#include "base/FileIo.h"
#include "lang/UiText.h"
#include "link/DeviceRead.h"
#include "link/gui/CDlgOper.h"
#include "model/CMainDoc.h"
#include "model/ConfigBackups.h"
#include "model/ConfigDiff.h"
#include "model/ConfigFile.h"
#include "res/resource.h"
#include "skin/AudioKinds.h"
#include "view/ViewDialogs.h"

#include <QDir>
#include <QFileInfo>

DeviceRead CMainView::ReadDevice(CMainDoc* doc, bool force) {
    DialogOperationRunner runner(m_port, this);
    const AudioKindTable audioKinds = AudioKindTableOf(m_skin);
    return doc ? ReadConfigFromDevice(*doc, force, runner, audioKinds) : ReadImageFromDevice(runner, audioKinds);
}

void CMainView::SetBackups(ConfigBackups* backups) { m_backups = backups; }

void CMainView::ShowStatusNote(unsigned id, const QStringList& inserts) {
    QString text;
    FormatUiString(text, id, inserts);
    if (m_pFrame) m_pFrame->ShowStatusNote(text);
}

void CMainView::KeepBackup(const ConfigImage& image) {
    ConfigBackups& backups = m_backups ? *m_backups : ProgramBackups();
    FileError error = FileError::None;
    const QString path = backups.Save(image, QStringLiteral("COM%1").arg(m_port + 1), &error);
    // The configuration is on screen either way; a backup that could not be
    // kept is said where it does not stop the user.
    if (path.isEmpty())
        ShowStatusNote(IDS_BACKUP_FAILED, {QString::fromLatin1(FileErrorText(error))});
    else
        ShowStatusNote(IDS_BACKUP_SAVED, {QDir::toNativeSeparators(path)});
}

void CMainView::VerifyWritten() {
    m_verifyPending = false;
    DeviceRead read;
    RunOperation([&] {
        read = ReadDevice();
        return read.result == LINK_OK;
    });
    // The operation dialog has said why; a read that stopped halfway compares nothing.
    if (read.WholeResult() != LINK_OK) return;
    const std::vector<ConfigDifference> differences = CompareConfigs({m_written}, {read.image}, CompareScope::Device);
    if (differences.empty()) {
        ShowStatusNote(IDS_VERIFY_OK);
        return;
    }
    // The document keeps what was written, so that it can be written again.
    UiMessageBoxFormatted(IDS_VERIFY_DIFFERENT, {DifferenceLines(differences, m_skin.signalNames())},
                          MB_OK | MB_ICONEXCLAMATION);
}

void CMainView::OnFileOpenBackup() {
    if (!RunClosePrompt()) return;
    const ConfigBackups& backups = m_backups ? *m_backups : ProgramBackups();
    const QStringList kept = backups.List();
    // The newest backup is offered; the dialog shows the others beside it.
    const QString start = kept.isEmpty() ? backups.folder() : kept.last();
    OpenChosenFile(m_dialogs->GetOpenFileName(this, ConfigFileFilter(), start));
}

void CMainView::OnFileCompare() {
    bool withDevice = false;
    if (CanUseDevice()) {
        const int answer = UiMessageBox(IDS_COMPARE_WITH_DEVICE, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return;
        withDevice = answer == IDYES;
    }
    const ConfigSide shown{m_pDoc->image(), m_pDoc->InputLabelField(0, 0), m_pDoc->PanelLabelField(0)};
    std::vector<ConfigDifference> differences;
    QString other;
    if (withDevice) {
        DeviceRead read;
        RunOperation([&] {
            read = ReadDevice();
            return read.result == LINK_OK;
        });
        if (read.WholeResult() != LINK_OK) return;
        differences = CompareConfigs(shown, {read.image}, CompareScope::Whole);
        other = LoadUiString(IDS_COMPARE_DEVICE_SIDE);
    } else {
        const QString path = m_dialogs->GetOpenFileName(this, ConfigFileFilter(), m_pDoc->filePath());
        if (path.isEmpty()) return;
        const FileBytes file = ReadConfigFile(path);
        if (!file.ok()) return ReportFileError(kFileOpenError, path);
        const std::optional<ConfigFileContents> contents = ParseConfigFile(file.bytes);
        if (!contents) return ReportFileError(kFileCorruptError, path);
        differences = CompareConfigs(
            shown, {contents->image, contents->inputLabels.data(), contents->panelLabels.data()}, CompareScope::Whole);
        other = QFileInfo(path).fileName();
    }
    if (differences.empty()) {
        UiMessageBox(IDS_COMPARE_SAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    QString heading;
    FormatUiString(heading, IDS_COMPARE_HEADING, {other});
    m_dialogs->ShowDifferences(this, heading, DifferenceLines(differences, m_skin.signalNames()).split(u'\n'));
}
