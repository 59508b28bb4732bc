// The Language submenu of the "&?" menu: the language list, switching, the
// translation editor's commands, and re-texting the window after a change.
#include "app/MainFrame.h"

#include "lang/LanguageManager.h"
#include "lang/gui/TranslateUi.h"
#include "lang/gui/TranslationEditor.h"
#include "res/resource.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

void CMainFrame::RebuildLanguageMenu() {
    for (int n = 0; n < kMaxMenuLanguages; ++n)
        if (!RemoveCommandItem(ID_LANGUAGE_FIRST + n)) break;
    const LanguageManager& languages = Languages();
    if (!languages.IsTranslationAvailable()) {
        RemoveLanguageSubmenu();
        return;
    }
    if (m_languageMenu) {
        if (!m_languageGroup) m_languageGroup = new QActionGroup(m_languageMenu);
        const QStringList names = languages.MenuLanguageNames();
        for (int n = 0; n < names.size(); ++n) {
            QAction* item = AddCommandItem(m_languageMenu, ID_LANGUAGE_FIRST + n, names[n]);
            item->setCheckable(true);
            m_languageGroup->addAction(item);
        }
    }
    // Texts the new language lacks fall back to the menu's own, not to the
    // previous language's.
    RestoreMenuTexts();
    TranslateMenu(IDR_MAINFRAME, menuBar());
}

void CMainFrame::RemoveLanguageSubmenu() {
    if (!m_languageMenu) return;
    RemoveCommandItem(ID_LANGUAGE_NEW);
    RemoveCommandItem(ID_LANGUAGE_EDIT);
    delete m_languageMenu;  // takes its item out of the "&?" menu, and its group
    m_languageMenu = nullptr;
    m_languageGroup = nullptr;
}

void CMainFrame::OnLanguageChanged() {
    RebuildLanguageMenu();
    RefreshUiTexts();  // prompts, the idle text "Ready", indicators, title
    UpdateCommandUI();
    statusBar()->clearMessage();
    menuBar()->update();
    if (m_pView) m_pView->update();
    repaint();
    Q_EMIT languageChanged();
}

void CMainFrame::RegisterLanguageCommands() {
    for (int n = 0; n < kMaxMenuLanguages; ++n) {
        SetCommandHandler(
            ID_LANGUAGE_FIRST + n,
            [this, n] {
                if (Languages().SelectLanguage(n)) OnLanguageChanged();
            },
            [n](CmdUI& ui) {
                const LanguageManager& languages = Languages();
                ui.SetCheck(languages.IsTranslationAvailable() && languages.GetCurrentLanguage() == n);
            });
    }
    SetCommandHandler(
        ID_LANGUAGE_EDIT,
        [this] {
            if (EditTranslation(this)) OnLanguageChanged();
        },
        [](CmdUI& ui) {
            const LanguageManager& languages = Languages();
            ui.Enable(languages.IsTranslationAvailable() && languages.GetCurrentLanguage() != 0);
        });
    SetCommandHandler(ID_LANGUAGE_NEW, [this] {
        if (NewTranslation(this)) OnLanguageChanged();
    });
}
