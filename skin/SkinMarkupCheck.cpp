// Walks the skin file's elements with the loader's rules and reports what the
// loader would ignore or skip.
#include "skin/Skin.h"
#include "skin/SkinCheck.h"
#include "skin/SkinXml.h"

#include <initializer_list>
#include <string>

using tinyxml2::XMLElement;

namespace {

enum Context {
    kRoot,
    kSignals,
    kSignal,
    kModules,
    kModule,
    kConfigurations,
    kConfiguration,
    kLabels,
    kLabel,
    kInputs,
    kInput,
    kAudio,
    kAudioInput,
    kContextCount
};

struct ChildRule {
    const char* name;
    Context context;
    bool firstOnly;
};

struct ElementRule {
    std::initializer_list<const char*> attributes;
    std::initializer_list<ChildRule> children;
};

const ElementRule kRules[kContextCount] = {
    /* root */ {{}, {{"signals", kSignals, true}, {"modules", kModules, true}}},
    /* signals */ {{}, {{"signal", kSignal, false}}},
    /* signal */ {{"name"}, {}},
    /* modules */ {{}, {{"module", kModule, false}}},
    /* module */ {{"Type", "Audio"}, {{"configurations", kConfigurations, true}}},
    /* configurations */ {{}, {{"configuration", kConfiguration, false}}},
    /* configuration */
    {{"ID", "Name", "MinInputs", "MaxInputs", "Selected", "Focused", "DropTarget", "Left", "Top", "Right", "Bottom",
      "Picture"},
     {{"labels", kLabels, true}, {"inputs", kInputs, true}, {"audio", kAudio, true}}},
    /* labels */ {{}, {{"label", kLabel, false}}},
    /* label */ {{"Left", "Top", "Right", "Bottom", "Font", "FontSize", "Color", "Back", "Disabled"}, {}},
    /* inputs */ {{}, {{"input", kInput, false}}},
    /* input */ {{"Type", "Left", "Top", "Right", "Bottom"}, {{"labels", kLabels, true}}},
    /* audio */ {{}, {{"input", kAudioInput, false}}},
    /* audio input */ {{"Type", "Left", "Top", "Right", "Bottom"}, {}},
};

QString At(const XMLElement* e) { return QStringLiteral("line %1: ").arg(e->GetLineNum()); }
QString Name(const XMLElement* e) { return QString::fromUtf8(e->Name()); }

bool Contains(std::initializer_list<const char*> names, const char* name) {
    for (const char* n : names) {
        if (std::string(n) == name) return true;
    }
    return false;
}

void CheckElementContent(const XMLElement* e, Context context, QStringList& problems) {
    if (context == kConfiguration && !e->Attribute("ID"))
        problems << At(e) + QStringLiteral("configuration without an ID is skipped");
    if (context != kLabel) return;
    for (const char* required : {"Left", "Top", "Right", "Bottom", "Font", "FontSize"}) {
        if (!e->Attribute(required))
            problems << At(e) + QStringLiteral("label without \"%1\" is skipped").arg(QLatin1String(required));
    }
    const QString face = QString::fromUtf8(e->Attribute("Font") ? e->Attribute("Font") : "");
    if (face.size() > kMaxFontFaceLength)
        problems << At(e) +
                        QStringLiteral("font face \"%1\" is cut to %2 characters").arg(face).arg(kMaxFontFaceLength);
}

void CheckElement(const XMLElement* e, Context context, QStringList& problems) {
    const ElementRule& rule = kRules[context];
    for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
        if (!Contains(rule.attributes, a->Name()))
            problems << At(e) + QStringLiteral("attribute \"%1\" of \"%2\" is ignored")
                                    .arg(QString::fromUtf8(a->Name()), Name(e));
    }
    CheckElementContent(e, context, problems);
    QStringList seen;
    for (const XMLElement* child = e->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const ChildRule* match = nullptr;
        for (const ChildRule& c : rule.children) {
            if (std::string(c.name) == child->Name()) match = &c;
        }
        if (!match) {
            problems << At(child) + QStringLiteral("element \"%1\" under \"%2\" is ignored").arg(Name(child), Name(e));
        } else if (match->firstOnly && seen.contains(Name(child))) {
            problems << At(child) + QStringLiteral("second \"%1\" under \"%2\" is ignored").arg(Name(child), Name(e));
        } else {
            seen << Name(child);
            CheckElement(child, match->context, problems);
        }
    }
}

}  // namespace

QStringList CheckSkinMarkup(QByteArrayView xml) {
    if (xml.isEmpty()) return {QStringLiteral("empty file; the program would show no skin")};
    tinyxml2::XMLDocument doc;
    if (!ParseSkinXml(doc, xml)) {
        return {QStringLiteral("line %1: not well-formed XML (%2); the program would show no skin")
                    .arg(doc.ErrorLineNum())
                    .arg(QString::fromUtf8(doc.ErrorName()))};
    }
    const XMLElement* root = doc.FirstChildElement();
    if (!root) return {QStringLiteral("no root element; the program would show no skin")};
    QStringList problems;
    CheckElement(root, kRoot, problems);
    for (const XMLElement* extra = root->NextSiblingElement(); extra; extra = extra->NextSiblingElement())
        problems << At(extra) + QStringLiteral("second top-level element \"%1\" is ignored").arg(Name(extra));
    return problems;
}
