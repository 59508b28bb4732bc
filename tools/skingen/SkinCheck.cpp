#include "tools/skingen/SkinCheck.h"

#include <QFontMetrics>
#include <QHash>
#include <QSet>

#include "tools/skingen/LabelMetrics.h"
#include "tools/skingen/SkinXml.h"

namespace skingen {
namespace {

constexpr int kMaxAreas = 16;       // the view numbers 16 inputs and 16 audio channels
constexpr int kMaxModuleInputs = 8; // the record holds 8 inputs per slot
constexpr int kFirstReserved = ID_CPU_CARD;
constexpr int kLastReserved = ID_KEY_PANEL;

QString Where(const ModuleDef &m, const ConfigDef &c) { return QString("configuration %1 (%2 / %3)").arg(c.id).arg(m.type, c.name); }

QString RectText(const QRect &r) {
  return QString("[%1,%2 - %3,%4]").arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height());
}

void CheckInside(QStringList &problems, const QString &where, const QString &what, const QRect &r, const QSize &picture) {
  if (r.width() <= 0 || r.height() <= 0)
    problems.append(QString("%1: %2 %3 is empty").arg(where, what, RectText(r)));
  else if (!QRect(QPoint(0, 0), picture).contains(r))
    problems.append(QString("%1: %2 %3 lies outside the %4x%5 picture")
                        .arg(where, what, RectText(r)).arg(picture.width()).arg(picture.height()));
}

void CheckBoxes(QStringList &problems, const ModuleDef &m, const ConfigDef &c) {
  const QString where = Where(m, c);
  const bool module = c.id < kFirstReserved;
  if (c.inputs.size() > (module ? kMaxModuleInputs : kMaxAreas))
    problems.append(QString("%1: more than %2 inputs").arg(where).arg(module ? kMaxModuleInputs : kMaxAreas));
  if (c.audio.size() > kMaxAreas) problems.append(where + ": more than 16 audio channels");
  if (c.image.isNull()) return;
  const QSize size = c.image.size();
  CheckInside(problems, where, "area", c.area, size);
  for (int i = 0; i < c.labels.size(); ++i) CheckInside(problems, where, QString("label %1").arg(i), c.labels[i].box, size);
  for (int k = 0; k < c.inputs.size(); ++k) {
    CheckInside(problems, where, QString("input %1").arg(k), c.inputs[k].rect, size);
    for (int i = 0; i < c.inputs[k].labels.size(); ++i)
      CheckInside(problems, where, QString("input %1 label %2").arg(k).arg(i), c.inputs[k].labels[i].box, size);
  }
  for (int j = 0; j < c.audio.size(); ++j) CheckInside(problems, where, QString("audio %1").arg(j), c.audio[j].rect, size);
}

// A click picks the first area containing the point, and the module's own
// area would hide the tooltips of inputs beneath it: hot areas must not overlap.
void CheckOverlaps(QStringList &problems, const ModuleDef &m, const ConfigDef &c) {
  QList<std::pair<QString, QRect>> areas;
  for (int k = 0; k < c.inputs.size(); ++k) areas.append({QString("input %1").arg(k), c.inputs[k].rect});
  for (int j = 0; j < c.audio.size(); ++j) areas.append({QString("audio %1").arg(j), c.audio[j].rect});
  if (c.area.width() < c.image.width() || c.area.height() < c.image.height()) areas.append({"area", c.area});
  for (int a = 0; a < areas.size(); ++a)
    for (int b = a + 1; b < areas.size(); ++b)
      if (areas[a].second.intersects(areas[b].second))
        problems.append(QString("%1: %2 overlaps %3").arg(Where(m, c), areas[a].first, areas[b].first));
}

void CheckIds(QStringList &problems, const Catalogue &skin) {
  QSet<int> seen;
  for (const ModuleDef &m : skin.modules)
    for (int i = 0; i < m.configs.size(); ++i) {
      const ConfigDef &c = m.configs[i];
      const bool reserved = c.id >= kFirstReserved && c.id <= kLastReserved;
      if (!reserved && (c.id < 1 || c.id > 254)) problems.append(Where(m, c) + ": module code outside 1..254");
      if (reserved && i != 0) problems.append(Where(m, c) + ": reserved ID is not its module's first configuration");
      if (seen.contains(c.id)) problems.append(Where(m, c) + ": duplicate ID");
      seen.insert(c.id);
    }
  for (int id = kFirstReserved; id <= kLastReserved; ++id)
    if (!seen.contains(id)) problems.append(QString("reserved configuration ID %1 is missing").arg(id));
}

void CheckModuleSizes(QStringList &problems, const ModuleDef &m) {
  QSize first;
  for (const ConfigDef &c : m.configs) {
    if (c.image.isNull()) continue;
    if (first.isEmpty()) first = c.image.size();
    if (c.image.size() != first)
      problems.append(Where(m, c) + ": picture size differs from the module's other configurations");
  }
}

const ConfigDef *FindConfig(const Catalogue &skin, int id, const ModuleDef **module) {
  for (const ModuleDef &m : skin.modules)
    for (const ConfigDef &c : m.configs)
      if (c.id == id) {
        *module = &m;
        return &c;
      }
  return nullptr;
}

QList<QRect> AllBoxes(const ConfigDef &c) {
  QList<QRect> boxes{c.area};
  for (const LabelBox &l : c.labels) boxes.append(l.box);
  for (const AreaDef &a : c.inputs + c.audio) {
    boxes.append(a.rect);
    for (const LabelBox &l : a.labels) boxes.append(l.box);
  }
  return boxes;
}

// The committed files must be what the generator declares today.
void CheckAgainstCatalogue(QStringList &problems, const Catalogue &skin, const Catalogue &declared) {
  if (skin.signalNames != declared.signalNames) problems.append("signal names differ from the generator's");
  for (const ModuleDef &dm : declared.modules)
    for (const ConfigDef &dc : dm.configs) {
      const ModuleDef *m = nullptr;
      const ConfigDef *c = FindConfig(skin, dc.id, &m);
      if (!c) {
        problems.append(QString("configuration %1 (%2) is missing from the file").arg(dc.id).arg(dc.name));
        continue;
      }
      if (c->picture != dc.picture) problems.append(Where(*m, *c) + ": picture should be " + dc.picture);
      else if (!c->image.isNull() && c->image.size() != dc.image.size())
        problems.append(QString("%1: picture is %2x%3, declared %4x%5").arg(Where(*m, *c)).arg(c->image.width())
                            .arg(c->image.height()).arg(dc.image.width()).arg(dc.image.height()));
      if (AllBoxes(*c) != AllBoxes(dc)) problems.append(Where(*m, *c) + ": areas or label boxes differ from the generator's");
      if (c->palette8 != dc.palette8) problems.append(Where(*m, *c) + ": picture depth differs from the generator's");
    }
  for (const ModuleDef &m : skin.modules)
    for (const ConfigDef &c : m.configs) {
      const ModuleDef *dm = nullptr;
      if (!FindConfig(declared, c.id, &dm)) problems.append(Where(m, c) + ": not in the generator's catalogue");
    }
}

}  // namespace

QStringList TextsFor(LabelText text, const QStringList &signalNames) {
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

QStringList CheckStructure(const Catalogue &skin) {
  QStringList problems;
  if (skin.signalNames.isEmpty()) problems.append("no output signal names");
  CheckIds(problems, skin);
  for (const ModuleDef &m : skin.modules) {
    CheckModuleSizes(problems, m);
    for (const ConfigDef &c : m.configs) {
      CheckBoxes(problems, m, c);
      CheckOverlaps(problems, m, c);
    }
  }
  return problems;
}

QStringList CheckLabelFit(const Catalogue &catalogue) {
  QStringList problems;
  auto check = [&](const ModuleDef &m, const ConfigDef &c, const LabelBox &l) {
    const QFontMetrics metrics(LabelFont(l.style.fontSize));
    if (metrics.ascent() + metrics.descent() > l.box.height())
      problems.append(QString("%1: label box %2 is lower than its font").arg(Where(m, c), RectText(l.box)));
    for (const QString &text : TextsFor(l.text, catalogue.signalNames))
      if (metrics.horizontalAdvance(text) + 2 > l.box.width())
        problems.append(QString("%1: \"%2\" does not fit label box %3").arg(Where(m, c), text, RectText(l.box)));
  };
  for (const ModuleDef &m : catalogue.modules)
    for (const ConfigDef &c : m.configs) {
      for (const LabelBox &l : c.labels) check(m, c, l);
      for (const AreaDef &a : c.inputs)
        for (const LabelBox &l : a.labels) check(m, c, l);
    }
  return problems;
}

QStringList CheckSkin(const QString &dir, const Catalogue &declared) {
  const SkinReadResult read = ReadSkin(dir);
  QStringList problems = read.problems;
  if (!read.loaded) return problems;
  problems += CheckStructure(read.skin);
  CheckAgainstCatalogue(problems, read.skin, declared);
  problems += CheckLabelFit(declared);
  return problems;
}

}  // namespace skingen
