// What the application plugs into its window: the configuration view and
// the command groups beside it (device, file, safe-write), made together.
// The frame wires every group's commands and enabling rules to its menu
// and toolbar, asks the file commands before the window closes, and hands
// them the files dropped on it.
#pragma once

#include "view/DeviceCommands.h"
#include "view/FileCommands.h"
#include "view/FrameHost.h"
#include "view/SafeWriteCommands.h"

#include <functional>
#include <memory>

class CMainDoc;
class CMainView;
class QWidget;

class MainCommands {
public:
    MainCommands(FrameHost* frame, CMainDoc& doc, CMainView& view);

    // Every group's commands, the view's own (undo, zoom, options) included.
    CommandBindings Bindings();

    CMainView& View() { return m_view; }
    DeviceCommands& Device() { return m_device; }
    FileCommands& Files() { return m_files; }
    SafeWriteCommands& SafeWrites() { return m_safeWrites; }

private:
    CMainView& m_view;
    DeviceCommands m_device;
    FileCommands m_files;
    SafeWriteCommands m_safeWrites;
};

struct WindowContent {
    QWidget* view = nullptr;  // the frame takes ownership
    std::unique_ptr<MainCommands> commands;
};
using WindowContentFactory = std::function<WindowContent(FrameHost& frame, CMainDoc& doc)>;

// The factory the application uses: creates the view with its commands and
// runs the view's initial update. The skin is read from the moment the
// factory is made, while the window is built.
WindowContentFactory MainWindowContent();
