#include "view/SafeWriteCommands.h"

#include "base/FileIo.h"
#include "base/SettingKeys.h"
#include "lang/UiText.h"
#include "link/DeviceRead.h"
#include "model/CMainDoc.h"
#include "model/ConfigBackups.h"
#include "model/ConfigDiff.h"
#include "model/ConfigFile.h"
#include "res/resource.h"
#include "view/DeviceCommands.h"
#include "view/FileCommands.h"
#include "view/MainView.h"
#include "view/ViewDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

SafeWriteCommands::SafeWriteCommands(FrameHost* frame, CMainDoc& doc, CMainView& view, DeviceCommands& device,
                                     FileCommands& files)
    : m_pFrame(frame), m_doc(doc), m_view(view), m_device(device), m_files(files) {
    m_verifyWrite = ReadSetting(kViewVerifyWrite) != 0;
    connect(&device, &DeviceCommands::configurationRead, this, &SafeWriteCommands::KeepBackup);
    connect(&device, &DeviceCommands::configurationWritten, this, [this](const ConfigImage& image) {
        m_written = image;
        m_verifyPending = m_verifyWrite;
    });
    connect(&device, &DeviceCommands::timerChecked, this, &SafeWriteCommands::VerifyWhenReady);
}

CommandBindings SafeWriteCommands::Bindings() {
    return {
        {ID_FILE_OPEN_BACKUP, [this] { OnFileOpenBackup(); }, {}},
        {ID_FILE_COMPARE, [this] { OnFileCompare(); }, [this](CmdUI& ui) { ui.Enable(m_doc.hasConfig()); }},
        {ID_VIEW_VERIFY_WRITE, [this] { OnToggleVerifyWrite(); }, [this](CmdUI& ui) { ui.SetCheck(m_verifyWrite); }},
    };
}

void SafeWriteCommands::OnToggleVerifyWrite() {
    m_verifyWrite = !m_verifyWrite;
    WriteSetting(kViewVerifyWrite, m_verifyWrite ? 1 : 0);
    if (!m_verifyWrite) m_verifyPending = false;
    if (m_pFrame) m_pFrame->RequestCommandUpdate();
}

void SafeWriteCommands::KeepBackup(const ConfigImage& image) {
    ConfigBackups& backups = m_backups ? *m_backups : ProgramBackups();
    FileError error = FileError::None;
    const QString path = backups.Save(image, QStringLiteral("COM%1").arg(m_device.Port() + 1), &error);
    // The configuration is on screen either way; a backup that could not be
    // kept is said where it does not stop the user.
    if (path.isEmpty())
        ShowStatusNote(m_pFrame, IDS_BACKUP_FAILED, {QString::fromLatin1(FileErrorText(error))});
    else
        ShowStatusNote(m_pFrame, IDS_BACKUP_SAVED, {QDir::toNativeSeparators(path)});
}

// Under another window's modal loop (the write's own message may still be
// open) the read-back waits for a later tick.
void SafeWriteCommands::VerifyWhenReady() {
    if (m_verifyPending && m_device.IsDeviceReady() && !QApplication::activeModalWidget()) VerifyWritten();
}

void SafeWriteCommands::VerifyWritten() {
    m_verifyPending = false;
    DeviceRead read;
    m_device.RunOperation([&] {
        read = m_device.ReadDevice();
        return read.result == LINK_OK;
    });
    // The operation dialog has said why; a read that stopped halfway compares nothing.
    if (read.WholeResult() != LINK_OK) return;
    const std::vector<ConfigDifference> differences = CompareConfigs({m_written}, {read.image}, CompareScope::Device);
    if (differences.empty()) {
        ShowStatusNote(m_pFrame, IDS_VERIFY_OK);
        return;
    }
    // The document keeps what was written, so that it can be written again.
    UiMessageBoxFormatted(IDS_VERIFY_DIFFERENT, {DifferenceLines(differences, m_view.Skin().signalNames())},
                          MB_OK | MB_ICONEXCLAMATION);
}

void SafeWriteCommands::OnFileOpenBackup() {
    if (!m_files.RunClosePrompt()) return;
    const ConfigBackups& backups = m_backups ? *m_backups : ProgramBackups();
    const QStringList kept = backups.List();
    // The newest backup is offered; the dialog shows the others beside it.
    const QString start = kept.isEmpty() ? backups.folder() : kept.last();
    m_files.OpenChosenFile(m_files.Dialogs().GetOpenFileName(&m_view, ConfigFileFilter(), start));
}

void SafeWriteCommands::OnFileCompare() {
    bool withDevice = false;
    if (m_device.CanUseDevice()) {
        const int answer = UiMessageBox(IDS_COMPARE_WITH_DEVICE, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return;
        withDevice = answer == IDYES;
    }
    const ConfigSide shown{m_doc.image(), m_doc.InputLabelField(0, 0), m_doc.PanelLabelField(0)};
    std::vector<ConfigDifference> differences;
    QString other;
    if (withDevice) {
        DeviceRead read;
        m_device.RunOperation([&] {
            read = m_device.ReadDevice();
            return read.result == LINK_OK;
        });
        if (read.WholeResult() != LINK_OK) return;
        differences = CompareConfigs(shown, {read.image}, CompareScope::Whole);
        other = LoadUiString(IDS_COMPARE_DEVICE_SIDE);
    } else {
        const QString path = m_files.Dialogs().GetOpenFileName(&m_view, ConfigFileFilter(), m_doc.filePath());
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
    m_files.Dialogs().ShowDifferences(&m_view, heading,
                                      DifferenceLines(differences, m_view.Skin().signalNames()).split(u'\n'));
}
