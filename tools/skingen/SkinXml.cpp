#include "tools/skingen/SkinXml.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <tinyxml2.h>

#include "tools/skingen/BmpFile.h"
#include "tools/skingen/Quantize.h"

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace skingen {
namespace {

constexpr const char* kSkinFile = "modules.xml";

QByteArray Utf8(const QString& s) { return s.toUtf8(); }

void SetRect(XMLElement* e, const QRect& r) {
    // Right and bottom are exclusive in the file.
    e->SetAttribute("Left", r.left());
    e->SetAttribute("Top", r.top());
    e->SetAttribute("Right", r.left() + r.width());
    e->SetAttribute("Bottom", r.top() + r.height());
}

void AddLabels(XMLElement* parent, const QList<LabelBox>& labels) {
    if (labels.isEmpty()) return;
    XMLElement* list = parent->InsertNewChildElement("labels");
    for (const LabelBox& l : labels) {
        XMLElement* e = list->InsertNewChildElement("label");
        SetRect(e, l.box);
        e->SetAttribute("Font", Utf8(l.font).constData());
        e->SetAttribute("FontSize", l.style.fontSize);
        e->SetAttribute("Color", Utf8(ColourText(l.style.color)).constData());
        e->SetAttribute("Back", Utf8(ColourText(l.style.back)).constData());
        e->SetAttribute("Disabled", Utf8(ColourText(l.style.disabled)).constData());
    }
}

void AddAreas(XMLElement* parent, const char* name, const QList<AreaDef>& areas) {
    if (areas.isEmpty()) return;
    XMLElement* list = parent->InsertNewChildElement(name);
    for (const AreaDef& a : areas) {
        XMLElement* e = list->InsertNewChildElement("input");
        e->SetAttribute("Type", Utf8(a.type).constData());
        SetRect(e, a.rect);
        AddLabels(e, a.labels);
    }
}

void AddConfig(XMLElement* parent, const ConfigDef& c) {
    XMLElement* e = parent->InsertNewChildElement("configuration");
    e->SetAttribute("ID", c.id);
    e->SetAttribute("Name", Utf8(c.name).constData());
    e->SetAttribute("MinInputs", c.minInputs);
    e->SetAttribute("MaxInputs", c.maxInputs);
    e->SetAttribute("Selected", Utf8(ColourText(c.selectedPen)).constData());
    e->SetAttribute("Focused", Utf8(ColourText(c.focusedPen)).constData());
    e->SetAttribute("DropTarget", Utf8(ColourText(c.dropTargetPen)).constData());
    SetRect(e, c.area);
    e->SetAttribute("Picture", Utf8(c.picture).constData());
    AddLabels(e, c.labels);
    AddAreas(e, "inputs", c.inputs);
    AddAreas(e, "audio", c.audio);
}

bool WritePicture(const ConfigDef& c, const QString& dir, QString* error) {
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

bool WriteSkin(const Catalogue& catalogue, const QString& dir, QString* error) {
    XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration());
    doc.InsertEndChild(doc.NewComment(" VKX520 skin: written by tools/skingen, regenerate instead of editing. "));
    XMLElement* root = doc.NewElement("skin");
    doc.InsertEndChild(root);
    XMLElement* signalList = root->InsertNewChildElement("signals");
    for (const QString& name : catalogue.signalNames)
        signalList->InsertNewChildElement("signal")->SetAttribute("name", Utf8(name).constData());
    XMLElement* modules = root->InsertNewChildElement("modules");
    for (const ModuleDef& m : catalogue.modules) {
        XMLElement* module = modules->InsertNewChildElement("module");
        module->SetAttribute("Type", Utf8(m.type).constData());
        if (m.audio) module->SetAttribute("Audio", m.audio);
        XMLElement* configs = module->InsertNewChildElement("configurations");
        for (const ConfigDef& c : m.configs) {
            AddConfig(configs, c);
            if (!WritePicture(c, dir, error)) return false;
        }
    }
    const QString path = SkinXmlPath(dir);
    if (doc.SaveFile(QFile::encodeName(path).constData()) != tinyxml2::XML_SUCCESS) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

namespace {

QList<LabelBox> LabelsOf(const std::vector<SkinLabel>& labels) {
    QList<LabelBox> boxes;
    for (const SkinLabel& l : labels) {
        LabelBox box;
        box.box = l.box;
        box.font = l.fontFace;
        box.style = {l.fontSize, SkinColorToRgb(l.color), SkinColorToRgb(l.back), SkinColorToRgb(l.disabled)};
        boxes.append(box);
    }
    return boxes;
}

QList<AreaDef> AreasOf(const std::vector<CSkinInput>& inputs) {
    QList<AreaDef> areas;
    for (const CSkinInput& input : inputs) areas.append({input.m_type, input.m_area, LabelsOf(input.m_labels)});
    return areas;
}

ConfigDef ConfigOf(const CSkinConfig& config) {
    ConfigDef c;
    c.id = config.m_id;
    c.name = config.m_name;
    c.minInputs = config.m_minInputs;
    c.maxInputs = config.m_maxInputs;
    c.area = config.m_area;
    c.picture = config.m_pictureName;
    c.palette8 = config.m_picture.bitsPerPixel() == 8;
    c.labels = LabelsOf(config.m_labels);
    c.inputs = AreasOf(config.m_inputs);
    c.audio = AreasOf(config.m_audio);
    if (config.m_picture.loaded()) c.image = config.m_picture.image();
    return c;
}

}  // namespace

QString SkinXmlPath(const QString& dir) { return dir + "/" + kSkinFile; }

Catalogue CatalogueOf(const CSkin& skin) {
    Catalogue catalogue;
    catalogue.signalNames = skin.signalNames();
    for (const CSkinModule& module : skin.modules()) {
        ModuleDef m{module.m_type, module.m_audioKind, {}};
        for (const CSkinConfig& config : module.m_configs) m.configs.append(ConfigOf(config));
        catalogue.modules.append(m);
    }
    return catalogue;
}

}  // namespace skingen
