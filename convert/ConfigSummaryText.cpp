// The readable form of vkx520ctl show.
#include "convert/ConfigSummary.h"

#include "base/CodePage.h"
#include "model/CMainDoc.h"
#include "skin/Skin.h"

#include <QStringList>

namespace {

QString VersionText(uint32_t version) { return QStringLiteral("%1.%2").arg(version >> 16).arg(version & 0xFFFF); }

// The module type, then its configuration by code and name, in the words of
// the module dialog; the name is quoted, so that a number in it ("8 inputs")
// is not read as the module's number of inputs.
QString ModuleText(const CSkin& skin, int code) {
    if (code == 0) return QStringLiteral("empty");
    const CSkinModule* module = skin.FindModuleByConfigID(code);
    const CSkinConfig* config = skin.FindConfig(code);
    if (!module || !config) return QStringLiteral("configuration %1 (not in the skin)").arg(code);
    return QStringLiteral("%1; configuration %2 \"%3\"").arg(module->m_type).arg(code).arg(config->m_name);
}

QString SignalText(const CSkin& skin, int signal) {
    return signal < skin.signalNames().size() ? skin.signalNames()[signal] : QStringLiteral("signal %1").arg(signal);
}

void AppendInputModules(QStringList& lines, const ConfigImage& image, const CSkin& skin) {
    lines << QStringLiteral("Input modules:");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const InputModuleSlot& entry = image.inputModules[slot];
        QString line = QStringLiteral("  slot %1  %2").arg(slot + 1).arg(ModuleText(skin, entry.code));
        if (entry.code != 0) line += QStringLiteral("; number of inputs: %1").arg(entry.count);
        if (entry.code != 0 && image.audioKinds[slot] == kAudioKindEmbedded) line += QStringLiteral("; embedded audio");
        lines << line;
    }
}

void AppendOutputModules(QStringList& lines, const ConfigImage& image, const CSkin& skin) {
    lines << QStringLiteral("Output modules:");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const OutputModuleSlot& entry = image.outputModules[slot];
        QString line = QStringLiteral("  slot %1  %2").arg(slot + 1).arg(ModuleText(skin, entry.code));
        if (entry.code != 0) {
            QStringList signalNames;
            for (const uint8_t signal : entry.signal) signalNames << SignalText(skin, signal);
            line += QStringLiteral("; outputs: ") + signalNames.join(QStringLiteral(", "));
        }
        lines << line;
    }
}

QString Quoted(const std::string& label) { return u'"' + FromCodePage(label) + u'"'; }

QString InputLine(const CMainDoc& doc, int input) {
    const int key = doc.GetKeyOfInput(input);
    const int panel = doc.GetPanelInputOfInput(input);
    const int slot = doc.GetSlotOfInput(input);
    QString line = QStringLiteral("  input %1  %2  key %3  panel input %4 %5")
                       .arg(input + 1, 2)
                       .arg(Quoted(doc.GetInputLabel(input, false)), -22)
                       .arg(key >= 0 && key < kKeyCount ? QString::number(key + 1) : QStringLiteral("-"), 2)
                       .arg(panel + 1, 2)
                       .arg(Quoted(doc.GetPanelLabel(panel, false)));
    if (slot < kSlotCount && doc.image().audioKinds[slot] == kAudioKindEmbedded) {
        // Bit 0 is the stereo pair, bits 1-2 the group.
        const int setting = doc.GetAudioSetting(slot, doc.GetLocalIndex(input));
        line += QStringLiteral("  audio group %1, pair %2").arg(((setting >> 1) & 3) + 1).arg((setting & 1) + 1);
    }
    return line;
}

}  // namespace

QString ConfigSummaryText(const CMainDoc& doc, const QString& fileName, uint32_t version, const CSkin& skin) {
    QStringList lines{QStringLiteral("%1 (configuration file version %2)").arg(fileName, VersionText(version)), {}};
    AppendInputModules(lines, doc.image(), skin);
    AppendOutputModules(lines, doc.image(), skin);
    const int usable = doc.GetTotalInputs(false);
    lines << QStringLiteral("Inputs: %1 in use, %2 usable").arg(doc.GetTotalInputs(true)).arg(usable);
    for (int input = 0; input < usable; ++input) lines << InputLine(doc, input);
    return lines.join(u'\n') + u'\n';
}
