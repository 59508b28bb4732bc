// Reading modules.xml into the skin tree. Only the first element of a given
// name is read where the format says so; unknown elements and attributes are
// ignored; a configuration without an ID and a label without its text box or
// font cannot be used and are skipped.
#include "skin/Skin.h"

#include "base/FileIo.h"
#include "skin/SkinXml.h"

#include <QFileInfo>

#include <algorithm>

using tinyxml2::XMLElement;

namespace {

template <typename Visit>
void ForEachChild(const XMLElement* parent, const char* name, Visit visit) {
    if (!parent) return;
    for (const XMLElement* child = parent->FirstChildElement(name); child; child = child->NextSiblingElement(name))
        visit(child);
}

QString TextOf(const XMLElement* e, const char* name) {
    const char* text = e->Attribute(name);
    return text ? QString::fromUtf8(text) : QString();
}

int DecimalOf(const XMLElement* e, const char* name) { return ReadSkinDecimal(e->Attribute(name)); }
SkinColor NumberOf(const XMLElement* e, const char* name) { return ReadSkinNumber(e->Attribute(name)); }

// Coordinates far beyond any picture are clamped, so that offsetting a
// rectangle by an item's position can never overflow.
constexpr int kMaxCoordinate = 1 << 24;
int Clamped(int value) { return std::clamp(value, -kMaxCoordinate, kMaxCoordinate); }

QRect RectFromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(Clamped(left), Clamped(top)), QPoint(Clamped(right) - 1, Clamped(bottom) - 1));
}

QRect AreaOf(const XMLElement* e) {
    return RectFromEdges(DecimalOf(e, "Left"), DecimalOf(e, "Top"), DecimalOf(e, "Right"), DecimalOf(e, "Bottom"));
}

bool ReadLabel(const XMLElement* e, SkinLabel& label) {
    for (const char* required : {"Left", "Top", "Right", "Bottom", "Font", "FontSize"}) {
        if (!e->Attribute(required)) return false;
    }
    label.box = AreaOf(e);
    label.fontFace = TextOf(e, "Font").left(kMaxFontFaceLength);
    label.fontSize = DecimalOf(e, "FontSize");
    label.color = NumberOf(e, "Color");
    label.back = NumberOf(e, "Back");
    label.disabled = NumberOf(e, "Disabled");
    return true;
}

std::vector<SkinLabel> LoadLabels(const XMLElement* owner) {
    std::vector<SkinLabel> labels;
    ForEachChild(owner->FirstChildElement("labels"), "label", [&](const XMLElement* e) {
        SkinLabel label;
        if (ReadLabel(e, label)) labels.push_back(std::move(label));
    });
    return labels;
}

std::vector<CSkinInput> LoadInputs(const XMLElement* group, bool withLabels) {
    std::vector<CSkinInput> inputs;
    ForEachChild(group, "input", [&](const XMLElement* e) {
        CSkinInput input;
        input.m_type = TextOf(e, "Type");
        input.m_area = AreaOf(e);
        if (withLabels) input.m_labels = LoadLabels(e);
        inputs.push_back(std::move(input));
    });
    return inputs;
}

void LoadPicture(CSkinConfig& config, const QString& pictureDir, CSkinModule& module, QStringList& missing) {
    if (config.m_pictureName.isEmpty()) return;
    const QString path = SkinPicturePath(pictureDir, config.m_pictureName);
    if (!config.m_picture.LoadFromFile(path)) {
        missing.append(path);
        return;
    }
    config.m_picture.GetSize(config.m_pictureWidth, config.m_pictureHeight);
    module.m_maxWidth = std::max(module.m_maxWidth, config.m_pictureWidth);
    module.m_maxHeight = std::max(module.m_maxHeight, config.m_pictureHeight);
}

void LoadConfig(const XMLElement* e, const QString* pictureDir, CSkinModule& module, QStringList& missing) {
    if (!e->Attribute("ID")) return;
    CSkinConfig config;
    config.m_id = DecimalOf(e, "ID");
    config.m_name = TextOf(e, "Name");
    config.m_minInputs = DecimalOf(e, "MinInputs");
    config.m_maxInputs = DecimalOf(e, "MaxInputs");
    config.m_selectedColor = NumberOf(e, "Selected");
    config.m_focusedColor = NumberOf(e, "Focused");
    config.m_dropTargetColor = NumberOf(e, "DropTarget");
    config.m_area = AreaOf(e);
    config.m_pictureName = TextOf(e, "Picture");
    if (pictureDir) LoadPicture(config, *pictureDir, module, missing);
    config.m_labels = LoadLabels(e);
    config.m_inputs = LoadInputs(e->FirstChildElement("inputs"), true);
    config.m_audio = LoadInputs(e->FirstChildElement("audio"), false);
    module.m_configs.push_back(std::move(config));
}

CSkinModule LoadModule(const XMLElement* e, const QString* pictureDir, QStringList& missing) {
    CSkinModule module;
    module.m_type = TextOf(e, "Type");
    module.m_audioKind = DecimalOf(e, "Audio");
    ForEachChild(e->FirstChildElement("configurations"), "configuration",
                 [&](const XMLElement* c) { LoadConfig(c, pictureDir, module, missing); });
    return module;
}

}  // namespace

FileBytes ReadSkinFile(const QString& xmlPath) {
    // A skin description is a few hundred kilobytes at most.
    constexpr qint64 kMaxSkinFileSize = 16 * 1024 * 1024;
    return ReadRegularFile(xmlPath, kMaxSkinFileSize);
}

void CSkin::LoadSkin() { LoadSkinFile(DefaultSkinPath()); }

void CSkin::LoadSkinFile(const QString& xmlPath, SkinPictures pictures) {
    Clear();
    const FileBytes file = ReadSkinFile(xmlPath);
    if (!file.ok()) {
        m_fileError = file.error;
        return;
    }
    const QString pictureDir = QFileInfo(xmlPath).absolutePath();
    LoadSkinXml(file.bytes, pictures == SkinPictures::Load ? &pictureDir : nullptr);
}

void CSkin::LoadSkinData(QByteArrayView xml, const QString& pictureDir) { LoadSkinXml(xml, &pictureDir); }

void CSkin::LoadSkinXml(QByteArrayView xml, const QString* pictureDir) {
    Clear();
    tinyxml2::XMLDocument doc;
    if (!ParseSkinXml(doc, xml)) return;
    const XMLElement* root = doc.FirstChildElement();
    if (!root) return;
    ForEachChild(root->FirstChildElement("signals"), "signal",
                 [&](const XMLElement* e) { m_signalNames.append(TextOf(e, "name")); });
    ForEachChild(root->FirstChildElement("modules"), "module",
                 [&](const XMLElement* e) { m_modules.push_back(LoadModule(e, pictureDir, m_missingPictures)); });
}
