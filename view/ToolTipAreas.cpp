#include "view/ToolTipAreas.h"

#include "base/SettingKeys.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "model/ConfigImage.h"
#include "res/resource.h"
#include "skin/SkinLayout.h"

#include <algorithm>

namespace {

class AreaCollector {
public:
    AreaCollector(QSize client, QPoint scroll, const ViewZoom& zoom)
        : m_client(QPoint(0, 0), client), m_scroll(scroll), m_zoom(zoom) {}

    // Adds the area (in layout coordinates) when any part of it is in the window.
    void Add(QRect rect, unsigned textId) {
        rect = m_zoom.ToView(rect).translated(-m_scroll);
        if (!rect.intersects(m_client)) return;
        rect.setLeft(std::max(0, rect.left()));
        rect.setTop(std::max(0, rect.top()));
        m_areas.push_back(ToolArea{int(m_areas.size()) + 1, rect, textId, LoadUiString(textId)});
    }
    std::vector<ToolArea> Take() { return std::move(m_areas); }

private:
    QRect m_client;
    QPoint m_scroll;
    ViewZoom m_zoom;
    std::vector<ToolArea> m_areas;
};

unsigned InputTextId(int kind) {
    switch (kind) {
    case ITEM_KEY_PANEL: return IDS_TIP_KEY;
    case ITEM_INPUT_PANEL:
    case ITEM_INPUT_MODULE: return IDS_TIP_INPUT;
    case ITEM_OUTPUT_MODULE: return IDS_TIP_OUTPUT;
    default: return 0;  // the card's areas explain nothing
    }
}

unsigned AudioTextId(const ViewItem& item) {
    return item.module->m_audioKind == kAudioKindEmbedded ? IDS_TIP_AUDIO_INPUT : IDS_TIP_KEY;
}

void AddModuleAreas(const SkinLayout& layout, QSize client, AreaCollector& areas) {
    const auto& items = layout.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int kind = items[i].kind;
        if (kind != ITEM_INPUT_MODULE && kind != ITEM_OUTPUT_MODULE) continue;
        QRect rect;
        if (layout.GetItemRect(int(i), rect, SUBITEM_AREA, client))
            areas.Add(rect, kind == ITEM_INPUT_MODULE ? IDS_TIP_MODULE : IDS_TIP_OUTPUT_MODULE);
    }
}

void AddSubItemArea(const SkinLayout& layout, const CMainDoc& doc, QSize client, int item, int subItem, unsigned textId,
                    AreaCollector& areas) {
    QRect rect;
    if (textId == 0 || !layout.GetItemRect(item, rect, subItem, client)) return;
    if (layout.IsSubItemEnabled(item, subItem, doc)) areas.Add(rect, textId);
}

void AddSubItemAreas(const SkinLayout& layout, const CMainDoc& doc, QSize client, AreaCollector& areas) {
    const auto& items = layout.items();
    for (std::size_t i = 0; i < items.size(); ++i)
        for (int sub : items[i].SubItems())
            AddSubItemArea(layout, doc, client, int(i), sub,
                           sub >= SUBITEM_AUDIO ? AudioTextId(items[i]) : InputTextId(items[i].kind), areas);
}

}  // namespace

std::vector<ToolArea> BuildToolAreas(const SkinLayout& layout, const CMainDoc& doc, QSize client, QPoint scroll,
                                     const ViewZoom& zoom) {
    AreaCollector areas(client, scroll, zoom);
    const QSize layoutClient = zoom.LayoutClient(client);
    AddModuleAreas(layout, layoutClient, areas);
    AddSubItemAreas(layout, doc, layoutClient, areas);
    return areas.Take();
}

const ToolArea* FindToolArea(const std::vector<ToolArea>& areas, QPoint point) {
    const auto it =
        std::find_if(areas.rbegin(), areas.rend(), [&](const ToolArea& a) { return SkinRectContains(a.rect, point); });
    return it == areas.rend() ? nullptr : &*it;
}

QString ToolTipDisplayText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;  // "&x" shows x, "&&" shows &
        else if (text[i] == QLatin1Char('&'))
            continue;  // a trailing "&" marks nothing
        shown += text[i];
    }
    return shown;
}

ToolTipAreas::ToolTipAreas() : m_shown(ReadSetting(kViewToolTips) != 0) {}

void ToolTipAreas::Toggle() {
    m_shown = !m_shown;
    WriteSetting(kViewToolTips, m_shown ? 1 : 0);
}

bool ToolTipAreas::Refresh(bool force, const SkinLayout& layout, const CMainDoc& doc, QSize client, QPoint scroll,
                           const ViewZoom& zoom) {
    if (!force && client == m_lastClient && scroll == m_lastScroll) return false;
    m_lastClient = client;
    m_lastScroll = scroll;
    m_active = m_shown;
    m_areas.clear();
    if (m_active) m_areas = BuildToolAreas(layout, doc, client, scroll, zoom);
    return true;
}

const ToolArea* ToolTipAreas::At(QPoint clientPoint) const {
    return m_active ? FindToolArea(m_areas, clientPoint) : nullptr;
}

QString ToolTipAreas::TextAt(QPoint clientPoint) const {
    const ToolArea* area = At(clientPoint);
    return area ? ToolTipDisplayText(area->text) : QString();
}
