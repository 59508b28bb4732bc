#include "skin/SkinCheck.h"

#include "skin/Skin.h"

#include <QFileInfo>
#include <QHash>

namespace {

constexpr int kMaxModuleCode = 255;
constexpr int kPanelSubItems = 16;  // keys, and panel inputs
constexpr int kMaxSlotInputs = 8;

QString Describe(const CSkinModule& module, const CSkinConfig& config) {
    return QStringLiteral("configuration %1 (\"%2\" of module \"%3\")")
        .arg(config.m_id)
        .arg(config.m_name, module.m_type);
}

QString RectText(const QRect& r) {
    return QStringLiteral("%1,%2-%3,%4").arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height());
}

void CheckArea(const QString& where, const QString& what, const QRect& area, const QSize& picture,
               QStringList& problems) {
    if (area.isEmpty()) {
        problems << where + QStringLiteral(": %1 %2 is empty").arg(what, RectText(area));
    } else if (!picture.isEmpty() && !QRect(QPoint(0, 0), picture).contains(area)) {
        problems << where + QStringLiteral(": %1 %2 lies outside the %3x%4 picture")
                                .arg(what, RectText(area))
                                .arg(picture.width())
                                .arg(picture.height());
    }
}

void CheckLabels(const QString& where, const QString& owner, const std::vector<SkinLabel>& labels, const QSize& picture,
                 QStringList& problems) {
    for (std::size_t i = 0; i < labels.size(); ++i)
        CheckArea(where, owner + QStringLiteral("label %1 box").arg(i), labels[i].box, picture, problems);
}

void CheckAreas(const QString& where, const CSkinConfig& config, QStringList& problems) {
    const QSize picture(config.m_pictureWidth, config.m_pictureHeight);
    CheckArea(where, QStringLiteral("area"), config.m_area, picture, problems);
    CheckLabels(where, QString(), config.m_labels, picture, problems);
    for (std::size_t i = 0; i < config.m_inputs.size(); ++i) {
        CheckArea(where, QStringLiteral("input %1 area").arg(i), config.m_inputs[i].m_area, picture, problems);
        CheckLabels(where, QStringLiteral("input %1 ").arg(i), config.m_inputs[i].m_labels, picture, problems);
    }
    for (std::size_t j = 0; j < config.m_audio.size(); ++j)
        CheckArea(where, QStringLiteral("audio channel %1 area").arg(j), config.m_audio[j].m_area, picture, problems);
}

void CheckCounts(const QString& where, const CSkinConfig& config, QStringList& problems) {
    const bool panel = config.m_id == SKIN_ID_KEY_PANEL || config.m_id == SKIN_ID_INPUT_PANEL;
    if (panel && config.m_inputs.size() != std::size_t(kPanelSubItems))
        problems << where + QStringLiteral(": %1 input areas, the panel needs %2")
                                .arg(config.m_inputs.size())
                                .arg(kPanelSubItems);
    if (config.m_inputs.size() > std::size_t(kMaxSkinSubItems))
        problems << where + QStringLiteral(": only the first %1 inputs can be used").arg(kMaxSkinSubItems);
    if (config.m_audio.size() > std::size_t(kMaxSkinSubItems))
        problems << where + QStringLiteral(": only the first %1 audio channels can be used").arg(kMaxSkinSubItems);
    if (config.m_minInputs > config.m_maxInputs)
        problems
            << where +
                   QStringLiteral(": MinInputs %1 above MaxInputs %2").arg(config.m_minInputs).arg(config.m_maxInputs);
    if (config.m_maxInputs > kMaxSlotInputs)
        problems << where + QStringLiteral(": MaxInputs %1 above the %2 inputs of a slot")
                                .arg(config.m_maxInputs)
                                .arg(kMaxSlotInputs);
}

void CheckConfig(const CSkinModule& module, const CSkinConfig& config, QStringList& problems) {
    const QString where = Describe(module, config);
    const bool reserved = config.m_id >= SKIN_ID_CARD && config.m_id <= SKIN_ID_KEY_PANEL;
    if (!reserved && (config.m_id < 1 || config.m_id > kMaxModuleCode))
        problems << where + QStringLiteral(": ID is neither a module code (1 to 255) nor reserved (995 to 999)");
    if (!config.m_pictureName.isEmpty() && !config.m_picture.loaded()) {
        problems << where + QStringLiteral(": picture \"%1\" cannot be loaded: %2")
                                .arg(config.m_pictureName, QLatin1String(BmpErrorText(config.m_picture.lastError())));
    }
    CheckAreas(where, config, problems);
    CheckCounts(where, config, problems);
}

}  // namespace

QStringList CheckSkinTree(const CSkin& skin) {
    QStringList problems;
    for (int id = SKIN_ID_CARD; id <= SKIN_ID_KEY_PANEL; ++id) {
        if (!skin.FindModuleByConfigID(id))
            problems << QStringLiteral("reserved configuration ID %1 is missing").arg(id);
    }
    if (skin.signalNames().isEmpty()) problems << QStringLiteral("no output signal names");
    QHash<int, QString> firstHolder;
    for (const CSkinModule& module : skin.modules()) {
        for (const CSkinConfig& config : module.m_configs) {
            const QString where = Describe(module, config);
            if (firstHolder.contains(config.m_id)) {
                problems << where +
                                QStringLiteral(": duplicate ID, %1 is used everywhere").arg(firstHolder[config.m_id]);
            } else {
                firstHolder.insert(config.m_id, where);
            }
            CheckConfig(module, config, problems);
        }
    }
    return problems;
}

QStringList CheckSkinFile(const QString& xmlPath) {
    CSkin skin;
    return CheckSkinFile(xmlPath, skin);
}

QStringList CheckSkinFile(const QString& xmlPath, CSkin& skin) {
    skin.Clear();
    const FileBytes file = ReadSkinFile(xmlPath);
    if (!file.ok()) return {QString::fromLatin1(FileErrorText(file.error))};
    const QByteArray& xml = file.bytes;
    QStringList problems = CheckSkinMarkup(xml);
    // The bytes just read, pictures beside them; the tree check below says
    // what is wrong with each picture that did not load.
    skin.LoadSkinData(xml, QFileInfo(xmlPath).absolutePath());
    if (!skin.IsEmpty() || problems.isEmpty()) problems << CheckSkinTree(skin);
    return problems;
}
