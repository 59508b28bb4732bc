// The configuration view: the one scrolling view of the main window. It shows
// the document's configuration as skin pictures, owns the tooltip areas, the
// zoom and the undo history of the edits made in it. The Device, File and
// safe-write commands live beside it (MainCommands) and call on it when the
// configuration was replaced or saved.
//
// Mouse editing: a click selects and highlights what is linked, a drag links
// keys, inputs and panel inputs or exchanges labels, a double click opens the
// edit dialog that fits. The rules live in MouseEdit and the hit testing in
// HitTest.h; this class turns mouse events into calls on them, runs the
// dialogs and repaints after a change.
#pragma once

#include "model/ConfigImage.h"
#include "render/ConfigPainter.h"
#include "skin/SkinLayout.h"
#include "skin/Skin.h"
#include "view/FrameHost.h"
#include "view/MouseEdit.h"
#include "view/ToolTipAreas.h"
#include "view/UndoStack.h"
#include "view/ViewZoom.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QRect>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CMainDoc;
class EditDialog;
class QPainter;
enum class KeyMove;
class QMenu;
class QScrollBar;

// The dialog a double click on a place opens.
enum class ItemEdit { None, Module, InputLabel, AudioChannel, OutputSignal, PanelLabel };

class CMainView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Runs an edit dialog modally and returns IDOK when it was confirmed.
    using EditDialogRunner = std::function<int(EditDialog&)>;

    // Creation: reads the view options, loads the skin beside the
    // executable (unless one already read is handed over). The frame (which
    // may be null) gets the title, the enabling refresh and the language.
    CMainView(FrameHost* frame, CMainDoc* doc, QWidget* parent = nullptr, std::unique_ptr<CSkin> skin = nullptr);
    ~CMainView() override;

    // BuildLayout, with an empty history.
    void OnInitialUpdate();
    // The view's own commands: undo, redo, zoom, tooltips and messages.
    CommandBindings Bindings();

    // --- what the rest of the view builds on --------------------------------------
    CMainDoc* GetDocument() const { return m_pDoc; }
    FrameHost* GetMainFrame() const { return m_pFrame; }
    const CSkin& Skin() const { return m_skin; }
    SkinLayout& Layout() { return m_layout; }
    const SkinLayout& Layout() const { return m_layout; }
    // Rebuilds the items from the document: resets selection and drag, brings
    // the title up to date, lays out (with its warnings), sets the scroll
    // size, rebuilds the tooltips and repaints.
    void BuildLayout();
    // The configuration was replaced (read, opened, closed): BuildLayout,
    // and the undo history starts again from it.
    void ShowNewConfiguration();
    // The configuration was saved: the undo history's clean point.
    void MarkSaved();
    // Runs change (a dialog, an import) as one step of the undo history; when
    // it changed something, shows it as an edit is shown.
    bool EditAsOneStep(EditHistory::StepText text, const std::function<bool()>& change);
    // Rebuilds the tooltip areas when forced or when the client size or the
    // scroll position changed since the last time.
    void RefreshToolTips(bool force);
    // The once-per-run notice that changes reach the device only when written.
    void ShowChangeNotice();
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
    PaintSelection Selection() const;

    // --- mouse editing (points are client points of the viewport) -------------------
    // A press (doubleClick false) or a double click: selects what lies under
    // the point, highlights its links and, on a double click, edits it.
    void HandleClick(QPoint point, bool doubleClick);
    // A move with the button held (drop false) or the release (drop true).
    void HandleDrag(QPoint point, bool drop);
    // The client point in view coordinates.
    QPoint ToLayout(QPoint point) const;
    // Hit tests on view coordinates (see HitTest.h).
    int HitItem(QPoint point, int sub) const;
    int HitSubItem(int item, QPoint point) const;
    SubItemRef HitTest(QPoint point) const;
    void ClearMasks();
    // A click (with the edit of a double click) or a drag step on a hit,
    // wherever the hit came from: the mouse and the keyboard share these.
    void ClickOn(SubItemRef hit, bool doubleClick);
    void DragOver(SubItemRef hit, bool drop);
    const MouseEdit& MouseState() const { return m_mouse; }
    // Sets the cursor for the mouse at a client point; the index chosen
    // (a ViewCursor) is kept for CursorIndex.
    void OnSetCursor(QPoint point);
    int CursorIndex() const { return m_cursorIndex; }
    // The shape of a cursor index (a ViewCursor other than CURSOR_DEFAULT).
    const QCursor& ViewCursorShape(int index);

    // --- keyboard editing (MainViewKeyboard.cpp) ---------------------------------
    // Arrows move the selection between the places a double click edits or a
    // drag starts from; Enter edits, Space picks up and drops, Escape puts
    // back; after a pick-up the arrows move the drop target.
    // Where the keyboard is: the drop target while one is shown, else the selection.
    SubItemRef KeyboardPosition() const;
    // The focus mark around the keyboard position, in client coordinates;
    // empty while the view has no focus or nothing is selected, and until
    // the keyboard is used in the view (again after a mouse press).
    QRect FocusMarkRect() const;
    // --- undo and redo -------------------------------------------------------------
    // Every change made with the mouse or a dialog is one step; reading,
    // loading or closing a configuration empties the history, saving marks
    // the clean point.
    void OnEditUndo();
    void OnEditRedo();
    const UndoStack& UndoSteps() const { return m_undo; }
    // The view's context menu for what lies at hit (a right click's hit test,
    // or the keyboard's place): the edit a double click on it opens, the
    // links a drop of it could make (each target in a submenu, made as that
    // drop), then Undo and Redo with the names of their steps.
    std::unique_ptr<QMenu> CreateContextMenu(SubItemRef hit = {});
    // What a double click on hit edits.
    ItemEdit EditFor(SubItemRef hit) const;

    // --- view options ---------------------------------------------------------------
    void OnToggleToolTips();
    void OnToggleMessages();

    // --- zoom (View menu, Ctrl+wheel) ------------------------------------------------
    int ZoomPercent() const { return m_zoom.percent(); }
    // Sets the zoom and keeps the layout point under the client point anchor
    // where it is; stores the zoom in the settings.
    void ZoomTo(int percent, QPoint anchor);
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomReset();
    void OnZoomFit();

    // --- state and seams ---------------------------------------------------------------
    bool ShowsToolTips() const { return m_showToolTips; }
    bool ShowsMessages() const { return m_showMessages; }
    bool ToolTipsActive() const { return m_toolTipsActive; }
    const std::vector<ToolArea>& ToolAreas() const { return m_toolAreas; }
    // The tooltip text shown at a client point; empty where there is none.
    QString ToolTipAt(QPoint clientPoint) const;
    // Replaces how the edit dialogs are run (tests answer them without a
    // modal loop); an empty runner restores DoModal.
    void SetEditDialogRunner(EditDialogRunner runner);

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
    // Keyboard editing: focus policy and the accessible interface.
    void SetUpKeyboard();
    bool HandleKey(int key);
    bool MoveByKey(KeyMove move);
    bool PickUpOrDrop();
    bool CancelByKey();
    // Scrolls a rectangle in view coordinates into the window, as far as it fits.
    void ScrollIntoView(const QRect& rect);
    // After the keyboard moved: in sight, and announced.
    void ShowKeyboardPosition();
    QRect KeyboardPositionRect() const;  // view coordinates; empty when nothing is selected
    QRect FocusMarkViewRect() const;
    void ShowKeyboardCues(bool show);
    void PaintFocusMark(QPainter& painter) const;
    QPoint ClientCentre() const;
    void UpdateScrollBars();
    QSize LayoutPage() const;
    void PageByTheLayout(QScrollBar* bar, int action);
    // After a change made with the mouse or a dialog.
    void OnMouseChange();
    // Undo: the recorder of the mouse edits and the two commands.
    void SetUpUndo();
    EditState CurrentEditState() const;
    void ApplyEditState(const EditState& state);
    // Runs change (a drop or a dialog) and records what it changed as one step.
    bool RecordEdit(EditHistory::StepText text, const std::function<bool()>& change);
    // The configuration was replaced: the history starts again from it.
    void ResetHistory();
    // The double-click edit of a hit; true when the view must show a change.
    bool OpenEditDialog(SubItemRef hit);
    bool EditModule(ViewItem& item);
    bool EditPanelLabel(const ViewItem& item, int panelInput);
    bool EditInputLabel(const ViewItem& item, int localInput);
    bool EditAudioChannel(const ViewItem& item, int channel);
    bool EditOutputSignal(const ViewItem& item, int output);
    bool RunEditDialog(EditDialog& dialog);
    // The context menu's parts: the edit of hit, and its links (as drops).
    void AddEditCommand(QMenu& menu, SubItemRef hit);
    void AddLinkCommands(QMenu& menu, SubItemRef hit);
    // Makes the drop of from onto to, as the mouse makes it.
    void LinkByMenu(SubItemRef from, SubItemRef to);

    FrameHost* m_pFrame;
    CMainDoc* m_pDoc;
    bool m_skinHandedOver;               // the skin came read (no LoadSkin at creation)
    std::unique_ptr<CSkin> m_skinStore;  // the skin the view owns, as m_skin
    CSkin& m_skin;
    SkinLayout m_layout;  // the item array (m_items) and the scroll size
    ViewZoom m_zoom;      // viewport pixels per layout pixel

    // Selection, drop target and drag state; BuildLayout resets them.
    MouseEdit m_mouse{m_layout, *m_pDoc};
    std::array<QCursor, kViewCursorCount> m_cursors;  // made on first use (ViewCursorShape)
    bool m_cursorsMade = false;
    bool m_keyboardCues = false;  // the focus mark shows (the keyboard was used)
    int m_cursorIndex = CURSOR_DEFAULT;
    EditDialogRunner m_runEditDialog;
    UndoStack m_undo{[this](const EditState& state) { ApplyEditState(state); }};

    std::vector<ToolArea> m_toolAreas;
    bool m_toolTipsActive = false;
    QSize m_lastClient{-1, -1};
    QPoint m_lastScroll{-1, -1};
    bool m_showToolTips = true;
    bool m_showMessages = true;
    bool m_noticeShown = false;
};
