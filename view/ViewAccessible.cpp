#include "view/ViewAccessible.h"

#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "skin/LabelText.h"
#include "skin/SkinLayout.h"
#include "view/KeyboardNavigation.h"
#include "view/MainView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <map>
#include <utility>

namespace {

QString Ordinal(int zeroBased) { return QString::number(zeroBased + 1); }

QString Format(unsigned id, const QStringList& inserts) {
    QString text;
    FormatUiString(text, id, inserts);
    return text;
}

QString ModuleName(const ViewItem& item, unsigned id) {
    const CSkinConfig* config = item.config();
    return Format(id, {Ordinal(item.slot), item.module->m_type, config ? config->m_name : QString()});
}

QString ItemName(const ViewItem& item) {
    switch (item.kind) {
    case ITEM_KEY_PANEL: return LoadUiString(IDS_ACC_KEY_PANEL);
    case ITEM_INPUT_PANEL: return LoadUiString(IDS_ACC_INPUT_PANEL);
    case ITEM_INPUT_MODULE: return ModuleName(item, IDS_ACC_INPUT_MODULE);
    case ITEM_OUTPUT_MODULE: return ModuleName(item, IDS_ACC_OUTPUT_MODULE);
    default: return item.module->m_type;
    }
}

// The words of the label boxes, so that what is heard is what is seen.
QString SubItemName(const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc, SubItemRef ref) {
    const ViewItem& item = layout.items()[std::size_t(ref.item)];
    const bool audio = ref.sub >= SUBITEM_AUDIO;
    const int area = audio ? ref.sub - SUBITEM_AUDIO : ref.sub;
    InputLabelTexts texts;
    GetInputLabelTexts(layout, ref.item, skin, doc, area, texts);
    switch (item.kind) {
    case ITEM_KEY_PANEL:
        if (texts.disabled) return Format(IDS_ACC_KEY_UNUSED, {Ordinal(area)});
        return Format(IDS_ACC_KEY, {Ordinal(area), texts.Get(0), texts.Get(1), texts.Get(2)});
    case ITEM_INPUT_PANEL: return Format(IDS_ACC_PANEL_INPUT, {Ordinal(area), texts.Get(0)});
    case ITEM_INPUT_MODULE: {
        if (audio) return Format(IDS_ACC_AUDIO, {texts.Get(0), texts.Get(1)});
        // The input's panel source is named as its key's boxes name it.
        const int key = doc.GetKeyOfInput(doc.GetInputNumber(item.slot, area));
        InputLabelTexts keyTexts;
        if (!layout.items().empty() && layout.items()[0].kind == ITEM_KEY_PANEL)
            GetInputLabelTexts(layout, 0, skin, doc, key, keyTexts);
        return Format(IDS_ACC_INPUT, {texts.Get(0), texts.Get(1), Ordinal(key), keyTexts.Get(2)});
    }
    case ITEM_OUTPUT_MODULE: return Format(IDS_ACC_OUTPUT, {texts.Get(0), texts.Get(1)});
    default: return {};
    }
}

bool IsModule(int kind) { return kind == ITEM_INPUT_MODULE || kind == ITEM_OUTPUT_MODULE; }

class ViewAccessible;

ViewAccessible* InterfaceOf(CMainView* view);

// An item (sub-item -1) or one of its enabled sub-items. It finds its item
// by index each time it is asked, so it stays right while the layout is
// rebuilt and reports itself invalid once its place is gone.
class NodeAccessible : public QAccessibleInterface {
public:
    NodeAccessible(CMainView* view, SubItemRef ref) : m_view(view), m_ref(ref) {}

    SubItemRef Ref() const { return m_ref; }

    bool isValid() const override {
        if (!m_view || m_ref.item < 0 || std::size_t(m_ref.item) >= m_view->Layout().items().size()) return false;
        if (m_ref.sub == -1) return true;
        const auto subs = Subs();
        return std::find(subs.begin(), subs.end(), m_ref.sub) != subs.end();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override { return m_ref.sub == -1 && isValid() ? int(Subs().size()) : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* node = dynamic_cast<const NodeAccessible*>(child);
        if (!node || m_ref.sub != -1 || node->m_ref.item != m_ref.item || !isValid()) return -1;
        const auto subs = Subs();
        const auto it = std::find(subs.begin(), subs.end(), node->m_ref.sub);
        return it == subs.end() ? -1 : int(it - subs.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override;

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name)
            return AccessibleName(m_view->Layout(), m_view->Skin(), *m_view->GetDocument(), m_ref);
        if (t != QAccessible::Description || !m_view->MouseState().IsDragging()) return {};
        if (m_ref == m_view->MouseState().DropTarget()) return LoadUiString(IDS_ACC_DROP_TARGET);
        if (m_ref == m_view->MouseState().Selection()) return LoadUiString(IDS_ACC_PICKED_UP);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    // On screen, as the painting shows it.
    QRect rect() const override {
        if (!isValid()) return {};
        QRect area;
        m_view->Layout().GetItemRect(m_ref.item, area, m_ref.sub == -1 ? SUBITEM_AREA : m_ref.sub,
                                     m_view->LayoutClientSize());
        const QRect client = m_view->ToClient(area);
        return QRect(m_view->viewport()->mapToGlobal(client.topLeft()), client.size());
    }
    QAccessible::Role role() const override { return m_ref.sub == -1 ? QAccessible::Grouping : QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        // What the keyboard can reach can be selected and focused.
        const int kind = m_view->Layout().items()[std::size_t(m_ref.item)].kind;
        state.focusable = state.selectable = m_ref.sub != -1 || IsModule(kind);
        state.selected = m_view->MouseState().Selection() == m_ref;
        state.focused = m_view->hasFocus() && m_view->Keyboard().Position() == m_ref;
        const QRect client(m_view->viewport()->mapToGlobal(QPoint(0, 0)), m_view->ClientSize());
        state.offscreen = !rect().intersects(client);
        state.invisible = !m_view->isVisible();
        return state;
    }

private:
    std::vector<int> Subs() const { return EnabledSubItems(m_view->Layout(), *m_view->GetDocument(), m_ref.item); }

    QPointer<CMainView> m_view;
    SubItemRef m_ref;
};

// The view: the items are its children. Their interfaces are made once per
// place and registered with Qt, which owns them; they go with the view's.
class ViewAccessible : public QAccessibleWidget {
public:
    explicit ViewAccessible(CMainView* view) : QAccessibleWidget(view, QAccessible::Client) {}
    ~ViewAccessible() override {
        for (const auto& [place, id] : m_nodes) QAccessible::deleteAccessibleInterface(id);
    }

    QAccessibleInterface* Node(SubItemRef ref) const {
        const std::pair<int, int> place{ref.item, ref.sub};
        const auto it = m_nodes.find(place);
        if (it != m_nodes.end())
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(it->second)) return known;
        auto* node = new NodeAccessible(View(), ref);
        m_nodes[place] = QAccessible::registerAccessibleInterface(node);
        return node;
    }

    int childCount() const override { return int(View()->Layout().items().size()); }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount() ? Node({index, -1}) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* node = dynamic_cast<const NodeAccessible*>(child);
        return node && node->Ref().sub == -1 && node->Ref().item < childCount() ? node->Ref().item : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const CMainView* view = View();
        const QPoint point = view->ToLayout(view->viewport()->mapFromGlobal(QPoint(x, y)));
        const int item = HitItem(view->Layout(), point, SUBITEM_WHOLE, view->LayoutClientSize());
        return item == -1 ? nullptr : Node({item, -1});
    }
    QAccessibleInterface* focusChild() const override {
        const SubItemRef at = View()->Keyboard().Position();
        if (!View()->hasFocus()) return nullptr;
        return at.IsSet() && at.item != -1 ? Node(at) : const_cast<ViewAccessible*>(this);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return LoadUiString(IDS_ACC_VIEW);
        return QAccessibleWidget::text(t);
    }

private:
    CMainView* View() const { return static_cast<CMainView*>(widget()); }

    mutable std::map<std::pair<int, int>, QAccessible::Id> m_nodes;
};

AccessibleEventSink& EventSink() {
    static AccessibleEventSink sink;
    return sink;
}

ViewAccessible* InterfaceOf(CMainView* view) {
    return view ? dynamic_cast<ViewAccessible*>(QAccessible::queryAccessibleInterface(view)) : nullptr;
}

QAccessibleInterface* NodeAccessible::parent() const {
    ViewAccessible* viewInterface = InterfaceOf(m_view);
    if (!viewInterface || m_ref.sub == -1) return viewInterface;
    return viewInterface->Node({m_ref.item, -1});
}

QAccessibleInterface* NodeAccessible::child(int index) const {
    if (m_ref.sub != -1 || !isValid()) return nullptr;
    const auto subs = Subs();
    ViewAccessible* viewInterface = InterfaceOf(m_view);
    if (!viewInterface || index < 0 || index >= int(subs.size())) return nullptr;
    return viewInterface->Node({m_ref.item, subs[std::size_t(index)]});
}

QAccessibleInterface* NodeAccessible::childAt(int x, int y) const {
    if (m_ref.sub != -1 || !isValid()) return nullptr;
    const SubItemRef hit = m_view->HitTest(m_view->ToLayout(m_view->viewport()->mapFromGlobal(QPoint(x, y))));
    ViewAccessible* viewInterface = InterfaceOf(m_view);
    if (!viewInterface || hit.item != m_ref.item || hit.sub == -1) return nullptr;
    return viewInterface->Node(hit);
}

QAccessibleInterface* ViewFactory(const QString&, QObject* object) {
    auto* view = qobject_cast<CMainView*>(object);
    return view ? new ViewAccessible(view) : nullptr;
}

}  // namespace

void InstallViewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ViewFactory);
        return true;
    }();
    (void)installed;
}

QString AccessibleName(const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc, SubItemRef ref) {
    if (ref.item < 0 || std::size_t(ref.item) >= layout.items().size()) return {};
    if (ref.sub == -1) return ItemName(layout.items()[std::size_t(ref.item)]);
    return SubItemName(layout, skin, doc, ref);
}

void NotifyAccessibleFocus(CMainView& view, SubItemRef ref) {
    if (!EventSink() && !QAccessible::isActive()) return;  // nobody listens: no interfaces made for nothing
    ViewAccessible* viewInterface = InterfaceOf(&view);
    if (!viewInterface) return;
    QAccessibleInterface* target = ref.item != -1 ? viewInterface->Node(ref) : viewInterface;
    for (QAccessible::Event type : {QAccessible::Focus, QAccessible::Selection}) {
        QAccessibleEvent event(target, type);
        if (EventSink())
            EventSink()(event);
        else
            QAccessible::updateAccessibility(&event);
    }
}

void SetAccessibleEventSink(AccessibleEventSink sink) { EventSink() = std::move(sink); }
