// Tooltip areas of the view: which areas carry which text, only what is
// visible, rebuilt on scrolling, and the option that switches them off.
#include "ViewRig.h"

#include "res/resource.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace viewtest;

namespace {

// Room for the whole demo configuration (1316 x 932 pixels) without scrolling.
void ShowEverything(const ViewRig& rig) { rig.ShowNormal({1600, 1200}); }

// Areas with that text inside an item's rectangle on screen.
int AreasIn(const CMainView& view, int item, unsigned textId) {
    QRect itemRect;
    view.Layout().GetItemRect(item, itemRect, SUBITEM_WHOLE, view.ClientSize());
    itemRect.translate(-view.ScrollPosition());
    int count = 0;
    for (const ToolArea& area : view.ToolTips().Areas())
        if (area.textId == textId && itemRect.contains(area.rect)) ++count;
    return count;
}

int ItemOf(const CMainView& view, int kind, int slot) {
    const auto& items = view.Layout().items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].kind == kind && items[i].slot == slot) return int(i);
    return -1;
}

std::vector<unsigned> FirstTextIds(const CMainView& view, std::size_t count) {
    std::vector<unsigned> ids;
    for (std::size_t i = 0; i < count && i < view.ToolTips().Areas().size(); ++i)
        ids.push_back(view.ToolTips().Areas()[i].textId);
    return ids;
}

}  // namespace

TEST(ToolTips, EveryUsableAreaOfTheDemoConfigurationHasItsText) {
    ViewRig rig;
    ShowEverything(rig);
    ASSERT_TRUE(rig.Connect());
    const CMainView& view = rig.view();
    ASSERT_TRUE(view.ToolTips().Active());
    // Module areas first, in item order: inputs slot 2, 1, 0, then outputs 0, 1.
    EXPECT_EQ(FirstTextIds(view, 5), (std::vector<unsigned>{IDS_TIP_MODULE, IDS_TIP_MODULE, IDS_TIP_MODULE,
                                                            IDS_TIP_OUTPUT_MODULE, IDS_TIP_OUTPUT_MODULE}));
    struct Row {
        const char* what;
        int kind, slot;
        unsigned textId;
        int count;
    };
    const Row rows[] = {
        {"every key", ITEM_KEY_PANEL, 0, IDS_TIP_KEY, 16},
        // Inputs 0..7 bring embedded audio (no panel input); 14 are in use.
        {"panel inputs 9..14", ITEM_INPUT_PANEL, 0, IDS_TIP_INPUT, 6},
        {"SDI inputs", ITEM_INPUT_MODULE, 0, IDS_TIP_INPUT, 8},
        {"SDI audio channels", ITEM_INPUT_MODULE, 0, IDS_TIP_AUDIO_INPUT, 8},
        {"analog inputs in use", ITEM_INPUT_MODULE, 1, IDS_TIP_INPUT, 4},
        {"computer inputs", ITEM_INPUT_MODULE, 2, IDS_TIP_INPUT, 2},
        {"HDMI outputs", ITEM_OUTPUT_MODULE, 0, IDS_TIP_OUTPUT, 4},
        {"SDI outputs", ITEM_OUTPUT_MODULE, 1, IDS_TIP_OUTPUT, 4},
        {"nothing on the card", ITEM_CARD, 0, IDS_TIP_INPUT, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AreasIn(view, ItemOf(view, row.kind, row.slot), row.textId), row.count) << row.what;
    for (std::size_t i = 0; i < view.ToolTips().Areas().size(); ++i)
        EXPECT_EQ(view.ToolTips().Areas()[i].id, int(i) + 1);
}

TEST(ToolTips, OnlyTheVisiblePartAndRebuiltWhenScrolled) {
    ViewRig rig;
    rig.ShowNormal({500, 400});
    ASSERT_TRUE(rig.Connect());
    CMainView& view = rig.view();
    const QRect client(QPoint(0, 0), view.ClientSize());
    const auto before = view.ToolTips().Areas();
    ASSERT_FALSE(before.empty());
    for (const ToolArea& area : before) {
        EXPECT_TRUE(area.rect.intersects(client));
        EXPECT_GE(area.rect.left(), 0);
        EXPECT_GE(area.rect.top(), 0);
    }

    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    view.viewport()->repaint();  // painting notices the new scroll position
    const auto after = view.ToolTips().Areas();
    ASSERT_FALSE(after.empty());
    EXPECT_NE(after.front().rect, before.front().rect);
    for (const ToolArea& area : after) EXPECT_TRUE(area.rect.intersects(client));
    EXPECT_GT(AreasIn(view, 0, IDS_TIP_KEY), 0) << "scrolled to the bottom: the key panel is visible";
}

TEST(ToolTips, TheOptionSwitchesThemOffAndOn) {
    ViewRig rig;
    ShowEverything(rig);
    ASSERT_TRUE(rig.Connect());
    CMainView& view = rig.view();
    const auto all = view.ToolTips().Areas();
    ASSERT_FALSE(all.empty());
    const QPoint onModule = all.front().rect.center();
    ASSERT_EQ(view.ToolTips().TextAt(onModule), "Doubleclick to change module type and/or number of inputs.");

    ASSERT_TRUE(rig.Command(ID_VIEW_TOOLTIPS));
    EXPECT_FALSE(view.ToolTips().Active());
    EXPECT_TRUE(view.ToolTips().Areas().empty());
    EXPECT_EQ(view.ToolTips().TextAt(onModule), QString());
    EXPECT_EQ(rig.profile.Int("View", "ToolTips"), 0);
    EXPECT_FALSE(rig.frame().Action(ID_VIEW_TOOLTIPS)->isChecked());

    ASSERT_TRUE(rig.Command(ID_VIEW_TOOLTIPS));
    EXPECT_TRUE(view.ToolTips().Active());
    EXPECT_EQ(view.ToolTips().Areas().size(), all.size());
    EXPECT_EQ(rig.profile.Int("View", "ToolTips"), 1);
    EXPECT_TRUE(rig.frame().Action(ID_VIEW_TOOLTIPS)->isChecked());
}

TEST(ToolTips, HoveringAKeyShowsItsText) {
    ViewRig rig;
    ShowEverything(rig);
    ASSERT_TRUE(rig.Connect());
    CMainView& view = rig.view();
    const ToolArea* key = nullptr;
    for (const ToolArea& area : view.ToolTips().Areas())
        if (area.textId == IDS_TIP_KEY) key = &area;
    ASSERT_NE(key, nullptr);
    const QPoint at = key->rect.center();
    QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), "Drag & drop to link key to the input.");
    QToolTip::hideText();
}

TEST(ToolTips, DisplayTextTakesAmpersandsAsMenusDo) {
    const std::pair<const char*, const char*> rows[] = {
        {"Drag && drop", "Drag & drop"},
        {"&Connect...", "Connect..."},
        {"no marks", "no marks"},
        {"trailing &", "trailing "},
        {"&&&x", "&x"},
        {"", ""},
    };
    for (const auto& [text, shown] : rows) EXPECT_EQ(ToolTipDisplayText(QString::fromLatin1(text)), shown) << text;
}
