#include "tools/skingen/SkinCheck.h"

#include <QFontMetrics>

#include "skin/SkinCheck.h"
#include "tools/skingen/LabelMetrics.h"
#include "tools/skingen/SkinXml.h"

namespace skingen {
namespace {

constexpr int kMaxModuleInputs = 8;  // the record holds 8 inputs per slot
constexpr int kFirstReserved = SKIN_ID_CARD;
constexpr int kLastReserved = SKIN_ID_KEY_PANEL;

QString Where(const ModuleDef& m, const ConfigDef& c) {
    return QString("configuration %1 (%2 / %3)").arg(c.id).arg(m.type, c.name);
}

QString RectText(const QRect& r) {
    return QString("[%1,%2 - %3,%4]").arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height());
}

void CheckSlotInputs(QStringList& problems, const ModuleDef& m, const ConfigDef& c) {
    if (c.id < kFirstReserved && c.inputs.size() > kMaxModuleInputs)
        problems.append(QString("%1: more than %2 inputs").arg(Where(m, c)).arg(kMaxModuleInputs));
}

void CheckFontSizes(QStringList& problems, const ModuleDef& m, const ConfigDef& c) {
    auto check = [&](const QList<LabelBox>& labels, const QString& owner) {
        for (int i = 0; i < labels.size(); ++i)
            if (labels[i].style.fontSize <= 0)
                problems.append(QString("%1: %2label %3: font size is not positive").arg(Where(m, c), owner).arg(i));
    };
    check(c.labels, QString());
    for (int k = 0; k < c.inputs.size(); ++k) check(c.inputs[k].labels, QString("input %1 ").arg(k));
}

// A click picks the first area containing the point, and the module's own
// area would hide the tooltips of inputs beneath it: hot areas must not overlap.
void CheckOverlaps(QStringList& problems, const ModuleDef& m, const ConfigDef& c) {
    QList<std::pair<QString, QRect>> areas;
    for (int k = 0; k < c.inputs.size(); ++k) areas.append({QString("input %1").arg(k), c.inputs[k].rect});
    for (int j = 0; j < c.audio.size(); ++j) areas.append({QString("audio %1").arg(j), c.audio[j].rect});
    if (c.area.width() < c.image.width() || c.area.height() < c.image.height()) areas.append({"area", c.area});
    for (int a = 0; a < areas.size(); ++a)
        for (int b = a + 1; b < areas.size(); ++b)
            if (areas[a].second.intersects(areas[b].second))
                problems.append(QString("%1: %2 overlaps %3").arg(Where(m, c), areas[a].first, areas[b].first));
}

// Duplicates and missing reserved IDs are the program checker's.
void CheckIds(QStringList& problems, const ModuleDef& m) {
    for (int i = 0; i < m.configs.size(); ++i) {
        const ConfigDef& c = m.configs[i];
        const bool reserved = c.id >= kFirstReserved && c.id <= kLastReserved;
        if (!reserved && (c.id < 1 || c.id > 254)) problems.append(Where(m, c) + ": module code outside 1..254");
        if (reserved && i != 0) problems.append(Where(m, c) + ": reserved ID is not its module's first configuration");
    }
}

void CheckModuleSizes(QStringList& problems, const ModuleDef& m) {
    QSize first;
    for (const ConfigDef& c : m.configs) {
        if (c.image.isNull()) continue;
        if (first.isEmpty()) first = c.image.size();
        if (c.image.size() != first)
            problems.append(Where(m, c) + ": picture size differs from the module's other configurations");
    }
}

const ConfigDef* FindConfig(const Catalogue& skin, int id, const ModuleDef** module) {
    for (const ModuleDef& m : skin.modules)
        for (const ConfigDef& c : m.configs)
            if (c.id == id) {
                *module = &m;
                return &c;
            }
    return nullptr;
}

QList<QRect> AllBoxes(const ConfigDef& c) {
    QList<QRect> boxes{c.area};
    for (const LabelBox& l : c.labels) boxes.append(l.box);
    for (const AreaDef& a : c.inputs + c.audio) {
        boxes.append(a.rect);
        for (const LabelBox& l : a.labels) boxes.append(l.box);
    }
    return boxes;
}

// The committed files must be what the generator declares today.
void CheckAgainstCatalogue(QStringList& problems, const Catalogue& skin, const Catalogue& declared) {
    if (skin.signalNames != declared.signalNames) problems.append("signal names differ from the generator's");
    for (const ModuleDef& dm : declared.modules)
        for (const ConfigDef& dc : dm.configs) {
            const ModuleDef* m = nullptr;
            const ConfigDef* c = FindConfig(skin, dc.id, &m);
            if (!c) {
                problems.append(QString("configuration %1 (%2) is missing from the file").arg(dc.id).arg(dc.name));
                continue;
            }
            if (c->picture != dc.picture)
                problems.append(Where(*m, *c) + ": picture should be " + dc.picture);
            else if (!c->image.isNull() && c->image.size() != dc.image.size())
                problems.append(QString("%1: picture is %2x%3, declared %4x%5")
                                    .arg(Where(*m, *c))
                                    .arg(c->image.width())
                                    .arg(c->image.height())
                                    .arg(dc.image.width())
                                    .arg(dc.image.height()));
            if (AllBoxes(*c) != AllBoxes(dc))
                problems.append(Where(*m, *c) + ": areas or label boxes differ from the generator's");
            if (c->palette8 != dc.palette8)
                problems.append(Where(*m, *c) + ": picture depth differs from the generator's");
        }
    for (const ModuleDef& m : skin.modules)
        for (const ConfigDef& c : m.configs) {
            const ModuleDef* dm = nullptr;
            if (!FindConfig(declared, c.id, &dm)) problems.append(Where(m, c) + ": not in the generator's catalogue");
        }
}

}  // namespace

QStringList TextsFor(LabelText text, const QStringList& signalNames) {
    QStringList texts;
    const int count = text == LabelText::SlotNumber ? 8 : text == LabelText::OutputNumber ? 4 : 16;
    switch (text) {
    case LabelText::UserLabel: return SampleLabels();
    case LabelText::SignalName: return signalNames;
    default:
        for (int i = 1; i <= count; ++i) texts.append(QString::number(i));
        return texts;
    }
}

QStringList CheckGeneratorRules(const Catalogue& skin) {
    QStringList problems;
    for (const ModuleDef& m : skin.modules) {
        CheckIds(problems, m);
        CheckModuleSizes(problems, m);
        for (const ConfigDef& c : m.configs) {
            CheckSlotInputs(problems, m, c);
            CheckOverlaps(problems, m, c);
            CheckFontSizes(problems, m, c);
        }
    }
    return problems;
}

QStringList CheckLabelFit(const Catalogue& catalogue) {
    QStringList problems;
    auto check = [&](const ModuleDef& m, const ConfigDef& c, const LabelBox& l) {
        const QFontMetrics metrics(LabelFont(l.style.fontSize));
        if (metrics.ascent() + metrics.descent() > l.box.height())
            problems.append(QString("%1: label box %2 is lower than its font").arg(Where(m, c), RectText(l.box)));
        for (const QString& text : TextsFor(l.text, catalogue.signalNames))
            if (metrics.horizontalAdvance(text) + 2 > l.box.width())
                problems.append(
                    QString("%1: \"%2\" does not fit label box %3").arg(Where(m, c), text, RectText(l.box)));
    };
    for (const ModuleDef& m : catalogue.modules)
        for (const ConfigDef& c : m.configs) {
            for (const LabelBox& l : c.labels) check(m, c, l);
            for (const AreaDef& a : c.inputs)
                for (const LabelBox& l : a.labels) check(m, c, l);
        }
    return problems;
}

LoadedSkin LoadSkin(const QString& dir) {
    CSkin skin;
    LoadedSkin result;
    result.problems = CheckSkinFile(SkinXmlPath(dir), skin);
    result.loaded = !skin.IsEmpty();
    result.skin = CatalogueOf(skin);
    return result;
}

QStringList CheckSkin(const QString& dir, const Catalogue& declared) {
    const LoadedSkin read = LoadSkin(dir);
    QStringList problems = read.problems;
    if (!read.loaded) return problems;
    problems += CheckGeneratorRules(read.skin);
    CheckAgainstCatalogue(problems, read.skin, declared);
    problems += CheckLabelFit(declared);
    return problems;
}

}  // namespace skingen
