#include "view/MainCommands.h"

#include "skin/SkinReadAhead.h"
#include "view/MainView.h"

MainCommands::MainCommands(FrameHost* frame, CMainDoc& doc, CMainView& view)
    : m_view(view),
      m_device(frame, doc, view),
      m_files(frame, doc, view, m_device),
      m_safeWrites(frame, doc, view, m_device, m_files) {}

CommandBindings MainCommands::Bindings() {
    CommandBindings all;
    for (CommandBindings group : {m_device.Bindings(), m_files.Bindings(), m_safeWrites.Bindings(), m_view.Bindings()})
        all.insert(all.end(), std::make_move_iterator(group.begin()), std::make_move_iterator(group.end()));
    return all;
}

WindowContentFactory MainWindowContent() {
    auto skin = std::make_shared<SkinReadAhead>(DefaultSkinPath(), CSkin::SkinPictures::Load);
    return [skin](FrameHost& frame, CMainDoc& doc) {
        auto* view = new CMainView(&frame, &doc, nullptr, skin->Take());
        auto commands = std::make_unique<MainCommands>(&frame, doc, *view);
        view->OnInitialUpdate();
        return WindowContent{view, std::move(commands)};
    };
}
