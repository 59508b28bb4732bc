// The configuration view: the one scrolling view of the main window. It shows
// the document's configuration as skin pictures, runs the Device commands
// (through the operation dialog), the File and Print commands, keeps the
// busy period after a write or a time setting, and owns the tooltip areas.
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
class ConfigBackups;
struct DeviceRead;
class EditDialog;
class QPainter;
enum class KeyMove;
class QMenu;
class QPrinter;
class QScrollBar;
class QTimer;
class ViewDialogs;

// The dialog a double click on a place opens.
enum class ItemEdit { None, Module, InputLabel, AudioChannel, OutputSignal, PanelLabel };

// Timer period and busy periods, in milliseconds.
constexpr int kViewTimerMs = 2000;
constexpr uint32_t kBusyAfterWriteMs = 15000;
constexpr uint32_t kBusyAfterTimeSetMs = 5000;

class CMainView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A millisecond tick count that wraps at 32 bits, as the busy period measures it.
    using TickSource = std::function<uint32_t()>;
    // Runs an edit dialog modally and returns IDOK when it was confirmed.
    using EditDialogRunner = std::function<int(EditDialog&)>;

    // Creation: reads the view options and the saved port, loads the skin
    // beside the executable (unless one already read is handed over),
    // starts the timer and registers the view's commands and the
    // save-modified hook with the frame (which may be null).
    CMainView(FrameHost* frame, CMainDoc* doc, QWidget* parent = nullptr, std::unique_ptr<CSkin> skin = nullptr);
    ~CMainView() override;  // OnDestroy

    // The factory the application uses: creates the view and runs its
    // initial update. The skin is read from the moment the factory is made,
    // while the window is built.
    using ViewFactory = std::function<QWidget*(FrameHost& frame, CMainDoc& doc)>;
    static ViewFactory Factory();

    // First time: the saved port into the frame's selector. Every time: BuildLayout.
    void OnInitialUpdate();
    // Stops the timer and stores the port; runs once, at the latest on destruction.
    void OnDestroy();

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

    // --- Device commands ---------------------------------------------------------
    void OnConnect();
    void OnLoadConfig();
    void OnWriteConfig() { WriteConfig(); }
    // Write configuration after its confirmation; true when the device took it.
    bool WriteConfig();
    void OnDiscardChanges();
    void OnSyncTime();
    void OnToggleToolTips();
    void OnToggleMessages();
    // Verify after writing: switches the read-back after a write on or off.
    void OnToggleVerifyWrite();

    // --- zoom (View menu, Ctrl+wheel) ------------------------------------------------
    int ZoomPercent() const { return m_zoom.percent(); }
    // Sets the zoom and keeps the layout point under the client point anchor
    // where it is; stores the zoom in the settings.
    void ZoomTo(int percent, QPoint anchor);
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomReset();
    void OnZoomFit();
    // Ends the busy period once it has run out; the view's timer calls it every 2 s.
    void OnTimer();

    // --- File commands -------------------------------------------------------------
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // A file dropped on the window or named on the command line: the close
    // prompt, then as Open after its dialog.
    void OpenFileFromOutside(const QString& path);
    // Open backup...: the open dialog in the backups folder, then as Open.
    void OnFileOpenBackup();
    // Compare with...: the displayed configuration against a file, or
    // against the device when connected; the differences in a dialog.
    void OnFileCompare();
    // Export labels... / Import labels...: the labels as a spreadsheet (CSV);
    // an import is one step of the undo history.
    void OnFileExportLabels();
    void OnFileImportLabels();
    // The "not saved" prompt: true when the configuration may be dropped.
    bool RunClosePrompt();
    // Saves the document to path; shows why when it fails.
    void SaveTo(const QString& path);
    // The document's hook before the program closes: Write configuration first
    // when connected and changed, then the close prompt.
    bool SaveModified();

    // --- state and seams ---------------------------------------------------------------
    int Port() const { return m_port; }
    bool IsDeviceReady() const { return m_deviceReady; }
    bool IsTimerRunning() const { return m_timerId != 0; }
    bool ShowsToolTips() const { return m_showToolTips; }
    bool ShowsMessages() const { return m_showMessages; }
    bool VerifiesWrites() const { return m_verifyWrite; }
    // A write waits to be read back once the device's busy period is over.
    bool VerifyPending() const { return m_verifyPending; }
    // Where Connect and Load configuration keep their backups (not owned;
    // null restores the program's own folder).
    void SetBackups(ConfigBackups* backups);
    bool ToolTipsActive() const { return m_toolTipsActive; }
    const std::vector<ToolArea>& ToolAreas() const { return m_toolAreas; }
    // The tooltip text shown at a client point; empty where there is none.
    QString ToolTipAt(QPoint clientPoint) const;
    QPrinter& Printer();
    // Replaces the clock of the busy period (tests run it without waiting).
    void SetTickSource(TickSource ticks);
    // Replaces the file, print and page set-up dialogs (not owned; null restores Qt's).
    void SetDialogs(ViewDialogs* dialogs);
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
    void RegisterCommands();
    void RegisterFileCommands();
    void RegisterZoomCommands();
    QPoint ClientCentre() const;
    void UpdateScrollBars();
    QSize LayoutPage() const;
    void PageByTheLayout(QScrollBar* bar, int action);
    // Connect and Load configuration after the port is chosen.
    bool ReadFromDevice(bool force);
    // Runs the part of a device command that talks to the device. Its dialogs
    // run the event loop, which refreshes the enabling: the port selector is
    // kept disabled until the exchange is over.
    bool RunOperation(const std::function<bool()>& exchange);
    // The enabling depends on the device state that changed.
    void DeviceStateChanged();
    void StartBusyPeriod(uint32_t periodMs);
    // Reads the device in the operation dialog on m_port, with the audio
    // kinds of the skin, into doc (when given) as Connect does.
    DeviceRead ReadDevice(CMainDoc* doc = nullptr, bool force = false);
    // Keeps the configuration just read from the device as a backup.
    void KeepBackup(const ConfigImage& image);
    // Reads the device back and compares it with what was written.
    void VerifyWritten();
    void ShowStatusNote(unsigned id, const QStringList& inserts = {});
    // Opens path as Open does, after the close prompt.
    void OpenChosenFile(const QString& path);
    bool PrintOnePage(QPrinter& printer);
    QString ConfigFileFilter() const;

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

    // Enabling rules.
    bool CanConnect() const;
    bool CanUseDevice() const;
    bool HasConfig() const;

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

    int m_port = 0;
    QTimer* m_timer = nullptr;
    int m_timerId = 0;
    uint32_t m_busySince = 0;
    uint32_t m_busyPeriod = 0;
    bool m_deviceReady = true;
    int m_operationDepth = 0;  // device exchanges running (RunOperation)
    TickSource m_ticks;

    std::vector<ToolArea> m_toolAreas;
    bool m_toolTipsActive = false;
    QSize m_lastClient{-1, -1};
    QPoint m_lastScroll{-1, -1};
    bool m_showToolTips = true;
    bool m_showMessages = true;
    bool m_verifyWrite = true;
    bool m_verifyPending = false;
    ConfigImage m_written{};   // what the last write sent, for verify
    ConfigImage m_lastRead{};  // what the device held at the last read, for the write's confirmation
    ConfigBackups* m_backups = nullptr;
    bool m_noticeShown = false;
    bool m_portShown = false;
    bool m_destroyed = false;

    std::unique_ptr<ViewDialogs> m_qtDialogs;
    ViewDialogs* m_dialogs = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};
