// Helpers shared by the dialog tests: a small skin, dialogs filled the way
// the view fills them, and driving controls the way a user would.
#pragma once

#include "skin/Skin.h"
#include "view/EditDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include <memory>

namespace dialogtest {

// Signals SDI, HDMI, Analog; one input module type with a 2..8 and a 1..4
// configuration; one output module type with a single configuration.
inline constexpr char kSkinXml[] = R"(<skin>
  <signals><signal name="SDI"/><signal name="HDMI"/><signal name="Analog"/></signals>
  <modules>
    <module Type="Video input card">
      <configurations>
        <configuration ID="17" Name="Eight connectors" MinInputs="2" MaxInputs="8"/>
        <configuration ID="18" Name="Four with audio" MinInputs="1" MaxInputs="4"/>
      </configurations>
    </module>
    <module Type="Output card">
      <configurations><configuration ID="40" Name="Standard"/></configurations>
    </module>
  </modules>
</skin>)";

inline QComboBox* ListOf(const EditDialog& dialog, int id) { return qobject_cast<QComboBox*>(dialog.Control(id)); }
inline QLineEdit* EditOf(const EditDialog& dialog, int id) { return qobject_cast<QLineEdit*>(dialog.Control(id)); }
inline QString TextOf(const EditDialog& dialog, int id) { return dialog.Control(id)->property("text").toString(); }

QStringList Entries(const QComboBox* list);
// Sends each character as a key press carrying that text, as a keyboard does.
void Type(QWidget* widget, const QString& text);
void ClickButton(const EditDialog& dialog, int id);

// The four dialogs filled with typical values.
std::unique_ptr<EditDialog> FilledModuleDialog(const CSkin& skin);
std::unique_ptr<EditDialog> FilledLabelDialog();
std::unique_ptr<EditDialog> FilledSignalDialog(const CSkin& skin);
std::unique_ptr<EditDialog> FilledAudioDialog();

}  // namespace dialogtest
