// The document: one configuration of a VKX520 (device image, labels, flags).
// Views, dialogs, the device commands and the command-line tool change it only
// through these operations. Whatever changes what the program offers to do
// with it (a configuration present, bound to the device, its file) is
// announced by its notifier's stateChanged, so that the window's commands follow.
#pragma once

#include "base/FileIo.h"
#include "lang/UiText.h"
#include "model/ConfigImage.h"
#include "model/DocContent.h"
#include "model/DocNotifier.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class CMainDoc {
public:
    CMainDoc();
    virtual ~CMainDoc() = default;

    // --- record ------------------------------------------------------------
    void ResetConfig();
    int GetTotalInputs(bool raw) const;
    int GetModuleCode(int slot) const;
    // The slot's input count as the model uses it: never above 8, the places a
    // slot has for labels and audio settings. The stored byte is kept as read.
    int GetInputCount(int slot) const;
    void SetInputModule(int slot, int code, int count);
    int GetInputNumber(int slot, int localInput) const;
    int GetSlotOfInput(int input) const;
    int GetLocalIndex(int input) const;

    // Labels are 8-bit texts (Windows-1252 bytes), at most 19 bytes.
    std::string GetInputLabel(int input, bool noDefault) const;
    std::string GetPanelLabel(int panelInput, bool noDefault) const;
    // False on a duplicate or on a text longer than 19 bytes; nothing is stored then.
    bool SetInputLabel(int input, const std::string& text);
    bool SetPanelLabel(int panelInput, const std::string& text);
    static std::string DefaultInputName(int input);       // "IN<n+1>"
    static std::string DefaultPanelName(int panelInput);  // "A<p+1>"

    int GetKeyOfInput(int input) const;
    int GetInputOfKey(int key) const;
    void AssignKey(int key, int input);
    int GetPanelInputOfInput(int input) const;
    void SetPanelInputOfInput(int input, int panelInput);
    bool IsPanelInputOfInput(int panelInput, int input) const;

    int GetAudioSetting(int slot, int localInput) const;
    void SetAudioSetting(int slot, int localInput, int value);
    int GetOutputModuleCode(int slot) const;
    void SetOutputModuleCode(int slot, int code);
    int GetOutputSignal(int slot, int output) const;
    void SetOutputSignal(int slot, int output, int signal);

    bool MatchesDevice(const ConfigImage& image) const;
    // True once per configuration, when it has more inputs than the device
    // can use: the caller then shows the input-limit warning.
    bool TakeInputLimitWarning();
    bool ReadCfg(const ConfigImage& image, bool force);

    // --- files ---------------------------------------------------------------
    bool LoadFile(const QString& path);
    // LoadFile on the file's bytes already read; path is for messages and filePath.
    bool LoadFileBytes(const QByteArray& bytes, const QString& path);
    bool SaveFile(const QString& path);
    // Why the last SaveFile failed, for callers that say more than the message.
    FileError lastSaveError() const { return m_lastFileError; }
    // What to tell the user about the last LoadFile, LoadFileBytes, SaveFile
    // or ReadCfg that failed (empty after one that succeeded); the caller
    // shows it with ShowNotice.
    const UiNotice& lastNotice() const { return m_lastNotice; }

    // --- state ---------------------------------------------------------------
    const ConfigImage& image() const { return m_image; }
    const QString& filePath() const { return m_filePath; }
    bool hasConfig() const { return m_hasConfig; }
    bool deviceBound() const { return m_deviceBound; }
    bool configModified() const { return m_configModified; }
    bool labelsModified() const { return m_labelsModified; }
    bool inputLimitWarned() const { return m_inputLimitWarned; }
    bool IsModified() const { return m_configModified || m_labelsModified; }
    // The configuration and the modified flags, for undo; the file path, the
    // device binding and the input-limit warning are not part of it.
    DocContent Content() const;
    void RestoreContent(const DocContent& content);
    // Write configuration and Discard changes end the device binding.
    void SetDeviceBound(bool bound);

    // Raw label rows, for the file format and tests.
    const char* InputLabelField(int slot, int localInput) const { return m_inputLabels[slot][localInput]; }
    const char* PanelLabelField(int panelInput) const { return m_panelLabels[panelInput]; }

    const DocNotifier* notifier() const { return &m_notifier; }

protected:
    void NotifyStateChanged() { Q_EMIT m_notifier.stateChanged(); }

    ConfigImage m_image;
    char m_inputLabels[kSlotCount][kInputsPerSlot][kLabelSize];
    char m_panelLabels[kPanelInputCount][kLabelSize];
    QString m_filePath;
    bool m_deviceBound = false;
    bool m_hasConfig = false;
    bool m_configModified = false;
    bool m_labelsModified = false;
    bool m_inputLimitWarned = false;
    FileError m_lastFileError = FileError::None;
    UiNotice m_lastNotice;
    DocNotifier m_notifier;
};
