#include "model/ConfigDiff.h"

#include "base/CodePage.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"

#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

class Comparer {
public:
    Comparer(const ConfigSide& first, const ConfigSide& second) : m_a(first), m_b(second) {}

    void Number(ConfigField field, int index, int sub, int first, int second) {
        if (first != second) m_out.push_back({field, index, sub, first, second, {}, {}});
    }

    void Label(ConfigField field, int index, int sub, const char* first, const char* second) {
        const std::string a(first, strnlen(first, kMaxLabelLength));
        const std::string b(second, strnlen(second, kMaxLabelLength));
        if (a != b) m_out.push_back({field, index, sub, 0, 0, a, b});
    }

    void Modules(CompareScope scope) {
        const ConfigImage& a = m_a.image;
        const ConfigImage& b = m_b.image;
        // A write skips empty slots, so the device keeps whatever it has there.
        const auto compared = [&](uint8_t first, uint8_t second) {
            return scope == CompareScope::Device ? first != 0 : first != 0 || second != 0;
        };
        for (int s = 0; s < kSlotCount; ++s) {
            const InputModuleSlot &x = a.inputModules[s], &y = b.inputModules[s];
            if (!compared(x.code, y.code)) continue;
            Number(ConfigField::InputModule, s, -1, x.code, y.code);
            Number(ConfigField::InputCount, s, -1, x.count, y.count);
        }
        for (int s = 0; s < kSlotCount; ++s) {
            const OutputModuleSlot &x = a.outputModules[s], &y = b.outputModules[s];
            if (!compared(x.code, y.code)) continue;
            Number(ConfigField::OutputModule, s, -1, x.code, y.code);
            for (int o = 0; o < kOutputsPerModule; ++o)
                Number(ConfigField::OutputSignal, s, o, x.signal[o], y.signal[o]);
        }
    }

    void Links() {
        for (int n = 0; n < kUsableInputs; ++n)
            Number(ConfigField::PanelLink, n, -1, m_a.image.panelInputMap[n], m_b.image.panelInputMap[n]);
        for (int n = 0; n < kUsableInputs; ++n)
            Number(ConfigField::KeyLink, n, -1, m_a.image.keyMap[n], m_b.image.keyMap[n]);
    }

    void Audio(CompareScope scope) {
        const ConfigImage& a = m_a.image;
        for (int s = 0; s < kSlotCount; ++s) {
            // What a write sends of a slot: the audio rows of the audio slots,
            // as far as the input count goes.
            int inputs = kInputsPerSlot;
            if (scope == CompareScope::Device) {
                const bool sent = a.inputModules[s].code != 0 && a.audioKinds[s] == kAudioKindEmbedded;
                inputs = sent ? std::min<int>(a.inputModules[s].count, kInputsPerSlot) : 0;
            }
            for (int j = 0; j < inputs; ++j)
                Number(ConfigField::Audio, s, j, a.audioTable[s][j], m_b.image.audioTable[s][j]);
        }
    }

    void Labels() {
        if (!m_a.inputLabels || !m_b.inputLabels || !m_a.panelLabels || !m_b.panelLabels) return;
        for (int s = 0; s < kSlotCount; ++s)
            for (int j = 0; j < kInputsPerSlot; ++j) {
                const std::size_t at = std::size_t((s * kInputsPerSlot + j) * kLabelSize);
                Label(ConfigField::InputLabel, s, j, m_a.inputLabels + at, m_b.inputLabels + at);
            }
        for (int p = 0; p < kPanelInputCount; ++p) {
            const std::size_t at = std::size_t(p * kLabelSize);
            Label(ConfigField::PanelLabel, p, -1, m_a.panelLabels + at, m_b.panelLabels + at);
        }
    }

    std::vector<ConfigDifference> Take() { return std::move(m_out); }

private:
    const ConfigSide& m_a;
    const ConfigSide& m_b;
    std::vector<ConfigDifference> m_out;
};

struct FieldNames {
    ConfigField field;
    const char* path;  // %1 index, %2 sub
    unsigned textId;
};
constexpr FieldNames kFieldNames[] = {
    {ConfigField::InputModule, "inputModules[%1].code", IDS_DIFF_INPUT_MODULE},
    {ConfigField::InputCount, "inputModules[%1].inputs", IDS_DIFF_INPUT_COUNT},
    {ConfigField::OutputModule, "outputModules[%1].code", IDS_DIFF_OUTPUT_MODULE},
    {ConfigField::OutputSignal, "outputModules[%1].signals[%2]", IDS_DIFF_OUTPUT_SIGNAL},
    {ConfigField::PanelLink, "panelInputMap[%1]", IDS_DIFF_PANEL_LINK},
    {ConfigField::KeyLink, "keyMap[%1]", IDS_DIFF_KEY_LINK},
    {ConfigField::Audio, "audio[%1][%2]", IDS_DIFF_AUDIO},
    {ConfigField::InputLabel, "inputLabels[%1][%2]", IDS_DIFF_INPUT_LABEL},
    {ConfigField::PanelLabel, "panelLabels[%1]", IDS_DIFF_PANEL_LABEL},
};

const FieldNames& NamesOf(ConfigField field) {
    for (const FieldNames& names : kFieldNames)
        if (names.field == field) return names;
    return kFieldNames[0];
}

// A value as the user counts: panel inputs from 1, keys as stored (key + 1,
// 0 for none), labels quoted, signals by name where there is one.
QString ValueText(const ConfigDifference& d, int value, const std::string& text, const QStringList& signalNames) {
    switch (d.field) {
    case ConfigField::OutputSignal:
        if (value >= 0 && value < signalNames.size())
            return QStringLiteral("%1 (%2)").arg(signalNames[value]).arg(value);
        return QString::number(value);
    case ConfigField::InputLabel:
    case ConfigField::PanelLabel: return u'"' + FromCodePage(text) + u'"';
    case ConfigField::PanelLink: return QString::number(value + 1);
    case ConfigField::KeyLink: return value == 0 ? LoadUiString(IDS_DIFF_NO_KEY) : QString::number(value);
    default: return QString::number(value);
    }
}

}  // namespace

std::vector<ConfigDifference> CompareConfigs(const ConfigSide& first, const ConfigSide& second, CompareScope scope) {
    Comparer comparer(first, second);
    comparer.Modules(scope);
    comparer.Links();
    comparer.Audio(scope);
    if (scope == CompareScope::Whole) comparer.Labels();
    return comparer.Take();
}

QString DifferencePath(const ConfigDifference& difference) {
    return FormatInserts(QLatin1String(NamesOf(difference.field).path),
                         {QString::number(difference.index), QString::number(difference.sub)});
}

QString DifferenceText(const ConfigDifference& difference, const QStringList& signalNames) {
    QString where;
    FormatUiString(where, NamesOf(difference.field).textId,
                   {QString::number(difference.index + 1), QString::number(difference.sub + 1)});
    QString line;
    FormatUiString(line, IDS_DIFF_LINE,
                   {where, ValueText(difference, difference.first, difference.firstText, signalNames),
                    ValueText(difference, difference.second, difference.secondText, signalNames)});
    return line;
}

QString DifferenceLines(const std::vector<ConfigDifference>& differences, const QStringList& signalNames) {
    QStringList lines;
    for (const ConfigDifference& difference : differences) lines << DifferenceText(difference, signalNames);
    return lines.join(u'\n');
}
