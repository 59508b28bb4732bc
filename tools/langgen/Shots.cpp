#include "tools/langgen/Shots.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "base/Settings.h"
#include "lang/gui/EditTranslationDlg.h"
#include "lang/LanguageManager.h"
#include "lang/TranslationEdits.h"
#include "lang/gui/TranslationStateImages.h"
#include "model/CMainDoc.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

namespace langgen {
namespace {

bool Save(const QPixmap& picture, const QString& outDir, const QString& name) {
    const QString path = QDir(outDir).filePath(name);
    if (picture.save(path)) return true;
    std::fprintf(stderr, "langgen: cannot write %s\n", qPrintable(path));
    return false;
}

// The frame with one popup open, its submenu too when it has one: the
// offscreen platform draws each window apart, so they are put together here.
QPixmap FrameWithMenu(CMainFrame& frame, QAction* popupAction) {
    QPixmap picture = frame.grab();
    QPainter painter(&picture);
    QMenu* menu = popupAction->menu();
    const QPoint at = frame.menuBar()->mapTo(&frame, frame.menuBar()->actionGeometry(popupAction).bottomLeft());
    menu->popup(frame.mapToGlobal(at));
    painter.drawPixmap(at, menu->grab());
    for (QAction* item : menu->actions()) {
        if (!item->menu()) continue;
        const QPoint subAt = at + menu->actionGeometry(item).topRight();
        item->menu()->popup(frame.mapToGlobal(subAt));
        painter.drawPixmap(subAt, item->menu()->grab());
        item->menu()->hide();
    }
    menu->hide();
    return picture;
}

// The list's six row images side by side, enlarged so each pixel shows.
bool ShootStateImages(const QString& outDir) {
    constexpr int kZoom = 8;
    constexpr int kCell = (kStateImageSize + 2) * kZoom;
    QPixmap sheet(kCell * kStateImageCount, kCell);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < kStateImageCount; ++i) {
        const QPixmap image = TranslationStateIcon(i).pixmap(kStateImageSize, kStateImageSize);
        painter.drawPixmap(QRect(i * kCell + kZoom, kZoom, kStateImageSize * kZoom, kStateImageSize * kZoom), image);
    }
    painter.end();
    return Save(sheet, outDir, QStringLiteral("state-images.png"));
}

bool ShootFrame(const QString& outDir) {
    CMainDoc doc;
    CMainFrame frame(&doc);
    frame.resize(760, 460);
    frame.show();
    QApplication::processEvents();
    bool ok = Save(frame.grab(), outDir, QStringLiteral("frame.png"));
    const QList<QAction*> popups = frame.menuBar()->actions();
    for (int i = 0; i < popups.size(); ++i)
        ok = Save(FrameWithMenu(frame, popups[i]), outDir, QStringLiteral("menu%1.png").arg(i + 1)) && ok;
    return ok;
}

bool ShootDialogs(const QString& outDir) {
    LanguageManager& languages = Languages();
    CEditTranslationDlg editor(languages.BaseTable(), languages.TranslationTable());
    editor.resize(editor.sizeHint());
    editor.show();
    editor.List()->setCurrentItem(editor.List()->topLevelItem(editor.List()->topLevelItemCount() - 40));
    QApplication::processEvents();
    bool ok = Save(editor.grab(), outDir, QStringLiteral("edit-translation.png"));
    CAboutDlg about;
    about.show();
    QApplication::processEvents();
    return Save(about.grab(), outDir, QStringLiteral("about.png")) && ok;
}

}  // namespace

bool WriteShots(const QString& languageDir, const QString& language, const QString& outDir) {
    QTemporaryDir program;
    for (const QString& name : QDir(languageDir).entryList({"*.lna", "*.lng"}, QDir::Files))
        QFile::copy(QDir(languageDir).filePath(name), program.filePath(name));
    SetAppProfilePath(program.filePath(QStringLiteral("VKX520Setup.ini")));
    AppProfile().WriteString(QStringLiteral("Language"), QStringLiteral("LangID"), language);
    Languages().SetProgramLocation(program.path(), QStringLiteral("VKX520Setup"));
    if (!Languages().InitLanguages() || Languages().CurrentName() != language) {
        std::fprintf(stderr, "langgen: no language \"%s\" in %s\n", qPrintable(language), qPrintable(languageDir));
        return false;
    }
    QDir().mkpath(outDir);
    const bool ok = ShootFrame(outDir) && ShootDialogs(outDir) && ShootStateImages(outDir);
    Languages().SetProgramLocation({}, {});
    SetAppProfilePath({});
    return ok;
}

}  // namespace langgen
