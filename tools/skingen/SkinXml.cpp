#include "tools/skingen/SkinXml.h"

#include <QDir>
#include <QFileInfo>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <tinyxml2.h>

#include "tools/skingen/BmpFile.h"
#include "tools/skingen/Quantize.h"

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace skingen {
namespace {

constexpr const char *kSkinFile = "modules.xml";
constexpr int kMaxFontFace = 31;

QByteArray Utf8(const QString &s) { return s.toUtf8(); }

void SetRect(XMLElement *e, const QRect &r) {
  // Right and bottom are exclusive in the file.
  e->SetAttribute("Left", r.left());
  e->SetAttribute("Top", r.top());
  e->SetAttribute("Right", r.left() + r.width());
  e->SetAttribute("Bottom", r.top() + r.height());
}

void AddLabels(XMLElement *parent, const QList<LabelBox> &labels) {
  if (labels.isEmpty()) return;
  XMLElement *list = parent->InsertNewChildElement("labels");
  for (const LabelBox &l : labels) {
    XMLElement *e = list->InsertNewChildElement("label");
    SetRect(e, l.box);
    e->SetAttribute("Font", Utf8(l.font).constData());
    e->SetAttribute("FontSize", l.style.fontSize);
    e->SetAttribute("Color", Utf8(ColourText(l.style.color)).constData());
    e->SetAttribute("Back", Utf8(ColourText(l.style.back)).constData());
    e->SetAttribute("Disabled", Utf8(ColourText(l.style.disabled)).constData());
  }
}

void AddAreas(XMLElement *parent, const char *name, const QList<AreaDef> &areas) {
  if (areas.isEmpty()) return;
  XMLElement *list = parent->InsertNewChildElement(name);
  for (const AreaDef &a : areas) {
    XMLElement *e = list->InsertNewChildElement("input");
    e->SetAttribute("Type", Utf8(a.type).constData());
    SetRect(e, a.rect);
    AddLabels(e, a.labels);
  }
}

void AddConfig(XMLElement *parent, const ConfigDef &c) {
  XMLElement *e = parent->InsertNewChildElement("configuration");
  e->SetAttribute("ID", c.id);
  e->SetAttribute("Name", Utf8(c.name).constData());
  e->SetAttribute("MinInputs", c.minInputs);
  e->SetAttribute("MaxInputs", c.maxInputs);
  e->SetAttribute("Selected", Utf8(ColourText(kSelectedColour)).constData());
  e->SetAttribute("Focused", Utf8(ColourText(kFocusedColour)).constData());
  e->SetAttribute("DropTarget", Utf8(ColourText(kDropTargetColour)).constData());
  SetRect(e, c.area);
  e->SetAttribute("Picture", Utf8(c.picture).constData());
  AddLabels(e, c.labels);
  AddAreas(e, "inputs", c.inputs);
  AddAreas(e, "audio", c.audio);
}

bool WritePicture(const ConfigDef &c, const QString &dir, QString *error) {
  const QString path = dir + "/" + c.picture;
  if (!QDir().mkpath(QFileInfo(path).path())) {
    *error = "cannot create the folder of " + path;
    return false;
  }
  const QByteArray bytes = c.palette8 ? EncodeBmp8(QuantizeToIndexed8(c.image)) : EncodeBmp24(c.image);
  return WriteFileBytes(path, bytes, error);
}

}  // namespace

QString ColourText(QRgb c) {
  const uint value = uint(qBlue(c)) << 16 | uint(qGreen(c)) << 8 | uint(qRed(c));
  return "0x" + QString("%1").arg(value, 6, 16, QChar('0')).toUpper();
}

QRgb ColourFromFile(int value) { return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

bool WriteSkin(const Catalogue &catalogue, const QString &dir, QString *error) {
  XMLDocument doc;
  doc.InsertEndChild(doc.NewDeclaration());
  doc.InsertEndChild(doc.NewComment(" VKX520 skin: written by tools/skingen, regenerate instead of editing. "));
  XMLElement *root = doc.NewElement("skin");
  doc.InsertEndChild(root);
  XMLElement *signalList = root->InsertNewChildElement("signals");
  for (const QString &name : catalogue.signalNames)
    signalList->InsertNewChildElement("signal")->SetAttribute("name", Utf8(name).constData());
  XMLElement *modules = root->InsertNewChildElement("modules");
  for (const ModuleDef &m : catalogue.modules) {
    XMLElement *module = modules->InsertNewChildElement("module");
    module->SetAttribute("Type", Utf8(m.type).constData());
    if (m.audio) module->SetAttribute("Audio", m.audio);
    XMLElement *configs = module->InsertNewChildElement("configurations");
    for (const ConfigDef &c : m.configs) {
      AddConfig(configs, c);
      if (!WritePicture(c, dir, error)) return false;
    }
  }
  const QString path = dir + "/" + kSkinFile;
  if (doc.SaveFile(QFile::encodeName(path).constData()) != tinyxml2::XML_SUCCESS) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

int ReadDecimal(const char *text) {
  if (!text) return 0;
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  long long value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*text)) && value < 0x7FFFFFFF; ++text) value = 10 * value + (*text - '0');
  return int(negative ? -value : value);
}

int ReadNumber(const char *text) {
  if (!text) return 0;
  if (std::strlen(text) > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return int(std::strtoul(text + 2, nullptr, 16));
  return ReadDecimal(text);
}

namespace {

// Reading back: collects the problems a skin author must fix.
class Reader {
 public:
  explicit Reader(const QString &dir) : m_dir(dir) {}
  SkinReadResult Run();

 private:
  QRect ReadRect(const XMLElement *e) const;
  bool Require(const XMLElement *e, const char *attribute, const QString &where);
  QList<LabelBox> ReadLabels(const XMLElement *parent, const QString &where);
  QList<AreaDef> ReadAreas(const XMLElement *config, const char *name, bool withLabels, const QString &where);
  ConfigDef ReadConfig(const XMLElement *e, const QString &where);
  void Problem(const QString &text) { m_result.problems.append(text); }

  QString m_dir;
  SkinReadResult m_result;
};

QRect Reader::ReadRect(const XMLElement *e) const {
  const int left = ReadDecimal(e->Attribute("Left")), top = ReadDecimal(e->Attribute("Top"));
  return QRect(left, top, ReadDecimal(e->Attribute("Right")) - left, ReadDecimal(e->Attribute("Bottom")) - top);
}

bool Reader::Require(const XMLElement *e, const char *attribute, const QString &where) {
  if (e->Attribute(attribute)) return true;
  Problem(QString("%1: required attribute \"%2\" is missing").arg(where, attribute));
  return false;
}

QList<LabelBox> Reader::ReadLabels(const XMLElement *parent, const QString &where) {
  QList<LabelBox> labels;
  const XMLElement *list = parent->FirstChildElement("labels");
  for (const XMLElement *e = list ? list->FirstChildElement("label") : nullptr; e; e = e->NextSiblingElement("label")) {
    const QString at = QString("%1, label %2").arg(where).arg(labels.size());
    bool complete = true;
    for (const char *a : {"Left", "Top", "Right", "Bottom", "Font", "FontSize"}) complete = Require(e, a, at) && complete;
    if (!complete) continue;
    LabelBox label;
    label.box = ReadRect(e);
    label.font = QString::fromUtf8(e->Attribute("Font"));
    if (label.font.toUtf8().size() > kMaxFontFace) Problem(at + ": font face longer than 31 characters");
    label.style = {ReadDecimal(e->Attribute("FontSize")), ColourFromFile(ReadNumber(e->Attribute("Color"))),
                   ColourFromFile(ReadNumber(e->Attribute("Back"))), ColourFromFile(ReadNumber(e->Attribute("Disabled")))};
    if (label.style.fontSize <= 0) Problem(at + ": font size is not positive");
    labels.append(label);
  }
  return labels;
}

QList<AreaDef> Reader::ReadAreas(const XMLElement *config, const char *name, bool withLabels, const QString &where) {
  QList<AreaDef> areas;
  const XMLElement *list = config->FirstChildElement(name);
  for (const XMLElement *e = list ? list->FirstChildElement("input") : nullptr; e; e = e->NextSiblingElement("input")) {
    const QString at = QString("%1, %2 %3").arg(where, name).arg(areas.size());
    areas.append({QString::fromUtf8(e->Attribute("Type")), ReadRect(e), withLabels ? ReadLabels(e, at) : QList<LabelBox>()});
  }
  return areas;
}

ConfigDef Reader::ReadConfig(const XMLElement *e, const QString &where) {
  ConfigDef c;
  c.id = ReadDecimal(e->Attribute("ID"));
  c.name = QString::fromUtf8(e->Attribute("Name"));
  c.minInputs = ReadDecimal(e->Attribute("MinInputs"));
  c.maxInputs = ReadDecimal(e->Attribute("MaxInputs"));
  c.area = ReadRect(e);
  c.picture = QString::fromUtf8(e->Attribute("Picture"));
  c.labels = ReadLabels(e, where);
  c.inputs = ReadAreas(e, "inputs", true, where);
  c.audio = ReadAreas(e, "audio", false, where);
  if (c.picture.isEmpty()) return c;
  QByteArray bytes;
  QString error;
  if (!ReadFileBytes(m_dir + "/" + c.picture, &bytes, &error)) {
    Problem(QString("%1: %2").arg(where, error));
    return c;
  }
  c.image = DecodeBmp(bytes, &error);
  if (c.image.isNull()) Problem(QString("%1: picture %2: %3").arg(where, c.picture, error));
  c.palette8 = bytes.size() > 29 && bytes[28] == 8;
  return c;
}

SkinReadResult Reader::Run() {
  XMLDocument doc;
  const QString path = m_dir + "/" + kSkinFile;
  if (doc.LoadFile(QFile::encodeName(path).constData()) != tinyxml2::XML_SUCCESS) {
    Problem(QString("%1: %2").arg(path, doc.ErrorStr()));
    return m_result;
  }
  m_result.loaded = true;
  const XMLElement *root = doc.FirstChildElement();
  const XMLElement *signalList = root ? root->FirstChildElement("signals") : nullptr;
  for (const XMLElement *s = signalList ? signalList->FirstChildElement("signal") : nullptr; s;
       s = s->NextSiblingElement("signal"))
    m_result.skin.signalNames.append(QString::fromUtf8(s->Attribute("name")));
  const XMLElement *modules = root ? root->FirstChildElement("modules") : nullptr;
  for (const XMLElement *m = modules ? modules->FirstChildElement("module") : nullptr; m;
       m = m->NextSiblingElement("module")) {
    ModuleDef module{QString::fromUtf8(m->Attribute("Type")), ReadDecimal(m->Attribute("Audio")), {}};
    const XMLElement *configs = m->FirstChildElement("configurations");
    for (const XMLElement *c = configs ? configs->FirstChildElement("configuration") : nullptr; c;
         c = c->NextSiblingElement("configuration")) {
      const QString where = QString("module \"%1\", configuration %2").arg(module.type).arg(module.configs.size());
      if (Require(c, "ID", where)) module.configs.append(ReadConfig(c, where));
    }
    m_result.skin.modules.append(module);
  }
  return m_result;
}

}  // namespace

SkinReadResult ReadSkin(const QString &dir) { return Reader(dir).Run(); }

}  // namespace skingen
