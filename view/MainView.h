// The configuration view: the one scrolling view of the main window. It shows
// the document's configuration as skin pictures, owns the tooltip areas, the
// zoom and the undo history of the edits made in it. The Device, File and
// safe-write commands live beside it (MainCommands) and call on it when the
// configuration was replaced or saved.
//
// Mouse editing: a click selects and highlights what is linked, a drag links
// keys, inputs and panel inputs or exchanges labels, a double click opens the
// edit dialog that fits. The rules live in MouseEdit, the hit testing in
// HitTest.h, the dialogs in ItemEditor and the keys in KeyboardEdit; this
// class turns events into calls on them and repaints after a change.
#pragma once

#include "model/ConfigImage.h"
#include "render/ConfigPainter.h"
#include "skin/SkinLayout.h"
#include "skin/Skin.h"
#include "view/FrameHost.h"
#include "view/ItemEditor.h"
#include "view/KeyboardEdit.h"
#include "view/MouseEdit.h"
#include "view/ToolTipAreas.h"
#include "view/UndoStack.h"
#include "view/ViewCursors.h"
#include "view/ViewZoom.h"

#include <QAbstractScrollArea>
#include <QRect>

#include <functional>
#include <memory>

class CMainDoc;
class QScrollBar;

class CMainView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Creation: reads the view options, loads the skin beside the
    // executable (unless one already read is handed over). The frame (which
    // may be null) gets the title, the enabling refresh and the language.
    CMainView(FrameHost* frame, CMainDoc* doc, QWidget* parent = nullptr, std::unique_ptr<CSkin> skin = nullptr);
    ~CMainView() override;

    // BuildLayout, with an empty history.
    void OnInitialUpdate();
    // The view's own commands: undo, redo, zoom, tooltips and messages.
    CommandBindings Bindings();

    // --- what the commands beside the view call ---------------------------------------
    // The configuration was replaced (read, opened, closed): BuildLayout,
    // and the undo history starts again from it.
    void ShowNewConfiguration();
    // The configuration was saved: the undo history's clean point.
    void MarkSaved();
    // Runs change (a dialog, an import) as one step of the undo history; when
    // it changed something, shows it as an edit is shown.
    bool EditAsOneStep(EditHistory::StepText text, const std::function<bool()>& change);
    // The once-per-run notice that changes reach the device only when written.
    void ShowChangeNotice();

    // --- what the view shows ------------------------------------------------------------
    CMainDoc* GetDocument() const { return m_pDoc; }
    const CSkin& Skin() const { return m_skin; }
    const SkinLayout& Layout() const { return m_layout; }
    PaintSelection Selection() const;
    void RedrawAll();
    // Scroll position in pixels and the client size, as GetItemRect and the
    // painter take them.
    QPoint ScrollPosition() const;
    QSize ClientSize() const;
    // The client size in layout pixels (the client size itself at 100 %):
    // what GetItemRect centres the drawing in.
    QSize LayoutClientSize() const;
    // A rectangle of GetItemRect in the viewport's client coordinates.
    QRect ToClient(const QRect& layoutRect) const;
    // The client point in view coordinates, and what lies there (see HitTest.h).
    QPoint ToLayout(QPoint point) const;
    SubItemRef HitTest(QPoint point) const;
    int ZoomPercent() const { return m_zoom.percent(); }
    // Sets the zoom and keeps the layout point under the client point anchor
    // where it is; stores the zoom in the settings.
    void ZoomTo(int percent, QPoint anchor);
    const ToolTipAreas& ToolTips() const { return m_toolTips; }
    bool ShowsMessages() const { return m_showMessages; }
    // The cursor chosen for the mouse's last position (a ViewCursor).
    int CursorIndex() const { return m_cursorIndex; }

    // --- editing --------------------------------------------------------------------------
    // A click (with the edit of a double click) or a drag step on a hit,
    // wherever the hit came from: the mouse, the keyboard and the context
    // menu share these.
    void ClickOn(SubItemRef hit, bool doubleClick);
    void DragOver(SubItemRef hit, bool drop);
    // Makes the drop of from onto to, as the mouse makes it (the context menu's links).
    void LinkByMenu(SubItemRef from, SubItemRef to);
    const MouseEdit& MouseState() const { return m_mouse; }
    const KeyboardEdit& Keyboard() const { return m_keyboard; }
    ItemEditor& Editor() { return m_editor; }
    // Every change made with the mouse or a dialog is one step; reading,
    // loading or closing a configuration empties the history, saving marks
    // the clean point.
    void OnEditUndo();
    void OnEditRedo();
    const UndoStack& UndoSteps() const { return m_undo; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnCreate();
    // Rebuilds the items from the document: resets selection and drag, brings
    // the title up to date, lays out (with its warnings), sets the scroll
    // size, rebuilds the tooltips and repaints.
    void BuildLayout();
    // Rebuilds the tooltip areas when forced or when the client size or the
    // scroll position changed since the last time.
    void RefreshToolTips(bool force);
    void OnToggleToolTips();
    void OnToggleMessages();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomReset();
    void OnZoomFit();
    QPoint ClientCentre() const;
    void UpdateScrollBars();
    QSize LayoutPage() const;
    void PageByTheLayout(QScrollBar* bar, int action);
    // A press (doubleClick false) or a double click at a client point of the
    // viewport: selects what lies there, highlights its links and, on a
    // double click, edits it.
    void HandleClick(QPoint point, bool doubleClick);
    // A move with the button held (drop false) or the release (drop true).
    void HandleDrag(QPoint point, bool drop);
    // Sets the cursor for the mouse at a client point; the index chosen is
    // kept for CursorIndex.
    void OnSetCursor(QPoint point);
    // After a change made with the mouse or a dialog.
    void OnMouseChange();
    // Undo: the recorder of the mouse edits and the buttons following the stack.
    void SetUpUndo();
    EditState CurrentEditState() const;
    void ApplyEditState(const EditState& state);
    // Runs change (a drop or a dialog) and records what it changed as one step.
    bool RecordEdit(EditHistory::StepText text, const std::function<bool()>& change);
    // The configuration was replaced: the history starts again from it.
    void ResetHistory();

    FrameHost* m_pFrame;
    CMainDoc* m_pDoc;
    bool m_skinHandedOver;               // the skin came read (no LoadSkin at creation)
    std::unique_ptr<CSkin> m_skinStore;  // the skin the view owns, as m_skin
    CSkin& m_skin;
    SkinLayout m_layout;  // the item array (m_items) and the scroll size
    ViewZoom m_zoom;      // viewport pixels per layout pixel

    // Selection, drop target and drag state; BuildLayout resets them.
    MouseEdit m_mouse{m_layout, *m_pDoc};
    ViewCursorSet m_cursors;  // made on first use
    int m_cursorIndex = CURSOR_DEFAULT;
    ItemEditor m_editor{*m_pDoc, m_layout, m_skin, this};
    KeyboardEdit m_keyboard{*this, m_mouse};
    UndoStack m_undo{[this](const EditState& state) { ApplyEditState(state); }};

    ToolTipAreas m_toolTips;
    bool m_showMessages = true;
    bool m_noticeShown = false;
};
