// The File commands in the running program: Open, Save, Save As, Close with
// the "not saved" prompt, the prompt before the window closes, the title,
// and printing into PDF files.
#include "ViewRig.h"

#include "model/ConfigFile.h"
#include "res/resource.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

using namespace viewtest;

namespace {

class FileMenu : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Connected to the demo device, edited, saved as a file, then
    // disconnected without changes: a configuration from a file, nothing
    // modified.
    void ShowSavedConfiguration(ViewRig& rig, const QString& path, const std::function<void(CMainDoc&)>& edit = {}) {
        ASSERT_TRUE(rig.Connect());
        if (edit) edit(rig.doc());
        rig.dialogs.saveAnswers.push_back(path);
        ASSERT_TRUE(rig.Command(ID_FILE_SAVE_AS));
        ASSERT_TRUE(rig.Command(ID_DEVICE_DISCARD));
        ASSERT_FALSE(rig.doc().IsModified());
        rig.presenter->Clear();
    }

    QByteArray FileBytes(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

QByteArray Version1File(const char* firstLabel) {
    const ConfigImage image = DemoImage();
    QByteArray bytes("V520");
    for (int shift = 0; shift < 32; shift += 8) bytes.append(char((kConfigFileVersion1 >> shift) & 0xFF));
    bytes.append(reinterpret_cast<const char*>(image.bytes()), qsizetype(kVersion1ImageBytes));
    QByteArray labels(qsizetype(kInputLabelBytes + kPanelLabelBytes), '\0');
    labels.replace(0, qsizetype(qstrlen(firstLabel)), firstLabel);
    return bytes + labels;
}

// Files dragged over the view and dropped there, delivered to the window as
// the platform delivers them (the window finds the widget that takes drops).
// Whether the window took the drag; the drop is handled before it returns.
bool DropOnView(ViewRig& rig, const QList<QUrl>& urls, const QString& text = {}) {
    QMimeData data;
    if (!urls.isEmpty()) data.setUrls(urls);
    if (!text.isEmpty()) data.setText(text);
    QWidget* viewport = rig.view().viewport();
    const QPoint at = viewport->mapTo(&rig.frame(), viewport->rect().center());
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.frame().windowHandle(), &enter);
    if (!enter.isAccepted()) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(rig.frame().windowHandle(), &leave);
        return false;
    }
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.frame().windowHandle(), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction) << "the program the file came from must not delete it";
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

}  // namespace

TEST_F(FileMenu, ClosePromptAnswers) {
    struct Case {
        const char* name;
        int answer;
        bool closed;
        bool fileHasChange;
    };
    const Case cases[] = {
        {"Yes saves, then closes", IDYES, true, true},
        {"No closes without saving", IDNO, true, false},
        {"Cancel keeps the configuration", IDCANCEL, false, false},
    };
    for (const Case& c : cases) {
        ViewRig rig;
        const QString path = PathOf("prompt.vkcfg");
        ShowSavedConfiguration(rig, path);
        ASSERT_TRUE(rig.doc().SetPanelLabel(3, "Mic 4"));
        rig.presenter->Answer(c.answer);
        rig.Command(ID_FILE_CLOSE);
        ASSERT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_NOT_SAVED}) << c.name;
        EXPECT_EQ(rig.presenter->messages()[0].style, MB_YESNOCANCEL | MB_ICONEXCLAMATION) << c.name;
        EXPECT_EQ(rig.doc().hasConfig(), !c.closed) << c.name;
        EXPECT_EQ(rig.view().Layout().items().empty(), c.closed) << c.name;
        EXPECT_EQ(rig.frame().windowTitle(), c.closed ? "VKX520Setup" : "VKX520Setup - prompt") << c.name;
        EXPECT_EQ(FileBytes(path).contains("Mic 4"), c.fileHasChange) << c.name;
    }
}

TEST_F(FileMenu, ACancelledSaveDialogWithoutAFileKeepsTheConfigurationAndBothFlags) {
    const struct {
        const char* name;
        int command;
        std::vector<unsigned> ids;
    } cases[] = {
        {"Save", ID_FILE_SAVE, {}},
        {"Close, Yes to saving", ID_FILE_CLOSE, {IDS_NOT_SAVED}},
    };
    for (const auto& c : cases) {
        ViewRig rig;
        ASSERT_TRUE(rig.Connect()) << c.name;
        ASSERT_TRUE(rig.Command(ID_DEVICE_DISCARD)) << c.name;  // read from the device, no file
        ASSERT_TRUE(rig.doc().SetInputLabel(2, "Studio B")) << c.name;
        rig.doc().SetOutputSignal(0, 1, 3);
        rig.presenter->Answer(IDYES);
        rig.dialogs.saveAnswers.push_back({});  // cancelled
        rig.Command(c.command);
        EXPECT_EQ(rig.presenter->ids(), c.ids) << c.name;
        EXPECT_EQ(rig.dialogs.asked, QStringList{"save Configuration files (*.vkcfg) "}) << c.name;
        EXPECT_TRUE(rig.doc().hasConfig()) << c.name;
        EXPECT_TRUE(rig.doc().configModified()) << c.name;
        EXPECT_TRUE(rig.doc().labelsModified()) << c.name;
        EXPECT_TRUE(rig.doc().filePath().isEmpty()) << c.name;
        EXPECT_EQ(rig.frame().windowTitle(), "VKX520Setup") << c.name;
    }
}

TEST_F(FileMenu, ConnectWithAFileShownTakesTheDeviceModulesOnlyWhenTheyMatch) {
    const struct {
        const char* name;
        uint8_t deviceSlot2;  // the file has module 80 there
        bool bound;
        std::vector<unsigned> ids;
    } cases[] = {
        {"same modules", 80, true, {}},
        {"other modules", 48, false, {IDS_CONFIG_MISMATCH}},
    };
    for (const auto& c : cases) {
        ViewRig rig;
        ShowSavedConfiguration(rig, PathOf("shown.vkcfg"), [](CMainDoc& doc) {
            ASSERT_TRUE(doc.SetInputLabel(0, "Camera 1"));
            doc.AssignKey(0, 5);
            doc.SetPanelInputOfInput(1, 4);
        });
        ConfigImage device = DemoImage();
        device.inputModules[2].code = c.deviceSlot2;
        device.outputModules[0].signal[1] = 3;  // the file has 1
        StoreBlockCrc(device, kInputTableBlock);
        StoreBlockCrc(device, kOutputTableBlock);
        rig.device.LoadImage(device);

        EXPECT_EQ(rig.Connect(), c.bound) << c.name;
        EXPECT_EQ(rig.presenter->ids(), c.ids) << c.name;
        if (!c.ids.empty()) {
            EXPECT_EQ(rig.presenter->messages()[0].style, MB_OK | MB_ICONSTOP) << c.name;
        }
        EXPECT_EQ(rig.doc().image().inputModules[2].code, 80) << c.name << ": no other module taken";
        EXPECT_EQ(rig.doc().GetOutputSignal(0, 1), c.bound ? 3 : 1) << c.name;
        EXPECT_EQ(rig.doc().GetInputLabel(0, true), "Camera 1") << c.name;
        EXPECT_EQ(rig.doc().GetInputOfKey(0), 5) << c.name;
        EXPECT_EQ(rig.doc().GetPanelInputOfInput(1), 4) << c.name;
        EXPECT_FALSE(rig.doc().IsModified()) << c.name;
        EXPECT_EQ(rig.doc().filePath(), PathOf("shown.vkcfg")) << c.name;
        EXPECT_EQ(rig.view().Layout().items().size(), 8u) << c.name;
        EXPECT_EQ(rig.Enabled(ID_DEVICE_CONNECT), !c.bound) << c.name;
        EXPECT_EQ(rig.PortSelectorEnabled(), !c.bound) << c.name;
    }
}

TEST_F(FileMenu, CloseWhileConnectedAndChangedOffersWriteFirst) {
    for (const int writeAnswer : {IDYES, IDNO}) {
        ViewRig rig;
        ASSERT_TRUE(rig.Connect());
        rig.doc().SetOutputSignal(1, 0, 1);
        rig.presenter->Answer(writeAnswer);
        if (writeAnswer == IDYES) rig.presenter->Answer(IDOK);  // written
        rig.presenter->Answer(IDNO);                            // do not save
        rig.Command(ID_FILE_CLOSE);
        const std::vector<unsigned> expected =
            writeAnswer == IDYES ? std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_WRITE_DONE, IDS_NOT_SAVED}
                                 : std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_NOT_SAVED};
        EXPECT_EQ(rig.presenter->ids(), expected);
        EXPECT_EQ(rig.device.SaveImage().outputModules[1].signal[0], writeAnswer == IDYES ? 1 : 3);
        EXPECT_FALSE(rig.doc().hasConfig());
        EXPECT_FALSE(rig.doc().deviceBound());
    }
}

TEST_F(FileMenu, ClosingTheWindowWithNothingToLoseAsksNothing) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    EXPECT_TRUE(rig.CloseWindow());
    EXPECT_TRUE(rig.presenter->messages().empty());
}

TEST_F(FileMenu, ClosingTheWindowRunsTheSaveModifiedHook) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.doc().SetOutputSignal(0, 3, 0);
    rig.presenter->Answer(IDNO);      // no write
    rig.presenter->Answer(IDCANCEL);  // stay
    EXPECT_FALSE(rig.CloseWindow());
    EXPECT_TRUE(rig.frame().isVisible());
    rig.presenter->Answer(IDNO);  // no write
    rig.presenter->Answer(IDNO);  // do not save
    EXPECT_TRUE(rig.CloseWindow());
    EXPECT_EQ(rig.presenter->ids(),
              (std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_NOT_SAVED, IDS_WRITE_CONFIRM, IDS_NOT_SAVED}));
}

TEST_F(FileMenu, OpenReadsAVersion1File) {
    ViewRig rig;
    const QString path = PathOf("old studio.vkcfg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Version1File("Camera"));
    file.close();

    rig.dialogs.openAnswers.push_back(path);
    ASSERT_TRUE(rig.Command(ID_FILE_OPEN));
    EXPECT_EQ(rig.dialogs.asked, QStringList{"open Configuration files (*.vkcfg) "});
    EXPECT_TRUE(rig.doc().hasConfig());
    EXPECT_FALSE(rig.doc().deviceBound());
    EXPECT_EQ(rig.doc().GetInputLabel(0, true), "Camera");
    EXPECT_EQ(rig.doc().image().audioTable[0][0], 0) << "version 1 carries no embedded audio";
    EXPECT_EQ(rig.doc().image().audioKinds[0], 0);
    EXPECT_EQ(rig.view().Layout().items().size(), 8u);
    EXPECT_EQ(rig.frame().windowTitle(), "VKX520Setup - old studio");
    EXPECT_TRUE(rig.presenter->messages().empty());
}

TEST_F(FileMenu, OpenOfABadFileLeavesTheShownConfiguration) {
    ViewRig rig;
    const QString good = PathOf("good.vkcfg");
    ShowSavedConfiguration(rig, good);
    const QString bad = PathOf("bad.vkcfg");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("V521 not a configuration");
    file.close();

    rig.dialogs.openAnswers.push_back(bad);
    rig.Command(ID_FILE_OPEN);
    EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_LOAD_CORRUPT});
    EXPECT_EQ(rig.dialogs.asked.last(), "open Configuration files (*.vkcfg) " + good);
    EXPECT_EQ(rig.doc().filePath(), good);
    EXPECT_EQ(rig.frame().windowTitle(), "VKX520Setup - good");
}

TEST_F(FileMenu, OpenIsCancelledByThePrompt) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.doc().SetOutputSignal(0, 0, 2);
    rig.presenter->Answer(IDCANCEL);
    rig.Command(ID_FILE_OPEN);
    EXPECT_TRUE(rig.dialogs.asked.isEmpty()) << "no file dialog after Cancel";
    EXPECT_TRUE(rig.doc().configModified());
}

TEST_F(FileMenu, SaveGoesToSaveAsOnceThenKeepsTheFile) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    const QString path = PathOf("studio.vkcfg");
    rig.dialogs.saveAnswers.push_back(path);
    ASSERT_TRUE(rig.Command(ID_FILE_SAVE));
    EXPECT_EQ(rig.dialogs.lastDefaultSuffix, "vkcfg");
    EXPECT_EQ(rig.frame().windowTitle(), "VKX520Setup - studio");
    EXPECT_EQ(FileBytes(path).size(), qsizetype(kConfigFileSize));

    ASSERT_TRUE(rig.doc().SetInputLabel(1, "Graphics"));
    ASSERT_TRUE(rig.Command(ID_FILE_SAVE));
    EXPECT_EQ(rig.dialogs.asked.size(), 1) << "the second save asks for no name";
    EXPECT_TRUE(FileBytes(path).contains("Graphics"));
    EXPECT_FALSE(rig.doc().IsModified());
}

TEST_F(FileMenu, PrintAndPreviewMakeOnePage) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.dialogs.pdfPath = PathOf("print.pdf");
    ASSERT_TRUE(rig.Command(ID_FILE_PRINT));
    EXPECT_EQ(PdfPageCount(rig.dialogs.pdfPath), 1);

    rig.dialogs.pdfPath = PathOf("preview.pdf");
    ASSERT_TRUE(rig.Command(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(PdfPageCount(rig.dialogs.pdfPath), 1);

    rig.dialogs.pdfPath = PathOf("cancelled.pdf");
    rig.dialogs.printAccepted = false;
    ASSERT_TRUE(rig.Command(ID_FILE_PRINT));
    EXPECT_FALSE(QFile::exists(rig.dialogs.pdfPath));

    ASSERT_TRUE(rig.Command(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(rig.dialogs.asked, (QStringList{"print", "preview", "print", "setup"}));
}

TEST_F(FileMenu, QtPrintPreviewShowsOnePage) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.commands().Files().SetDialogs(nullptr);
    int pages = -1;
    ViewRig::OnNextModal<QPrintPreviewDialog>([&pages](QPrintPreviewDialog& preview) {
        if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) pages = widget->pageCount();
        preview.reject();
    });
    rig.Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(pages, 1);
}

TEST_F(FileMenu, AFileDroppedOnTheWindowOpensAsOpenDoes) {
    ViewRig rig;
    const QString first = PathOf("first.vkcfg");
    ShowSavedConfiguration(rig, first);
    const QString dropped = PathOf("dropped studio.vkcfg");
    ASSERT_TRUE(QFile::copy(first, dropped));
    const QUrl droppedUrl = QUrl::fromLocalFile(dropped);

    // Text, several files or a remote file are not taken.
    EXPECT_FALSE(DropOnView(rig, {}, "studio"));
    EXPECT_FALSE(DropOnView(rig, {droppedUrl, QUrl::fromLocalFile(first)}));
    EXPECT_FALSE(DropOnView(rig, {QUrl("https://example.net/studio.vkcfg")}));

    // A changed configuration is offered for saving first; Cancel keeps it.
    ASSERT_TRUE(rig.doc().SetPanelLabel(3, "Mic 4"));
    rig.presenter->Answer(IDCANCEL);
    EXPECT_TRUE(DropOnView(rig, {droppedUrl}));
    EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_NOT_SAVED});
    EXPECT_EQ(rig.doc().filePath(), first);
    EXPECT_TRUE(rig.doc().IsModified());

    rig.presenter->Clear();
    rig.presenter->Answer(IDNO);
    EXPECT_TRUE(DropOnView(rig, {droppedUrl}));
    EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_NOT_SAVED});
    EXPECT_EQ(rig.doc().filePath(), dropped);
    EXPECT_FALSE(rig.doc().IsModified());
    EXPECT_EQ(rig.frame().windowTitle(), "VKX520Setup - dropped studio");
    EXPECT_EQ(rig.dialogs.asked.size(), 1) << "only the Save As of the set-up; a drop shows no file dialog";
}

// What main() does with "--open FILE": the messages of Open for a file that
// is not there or not a configuration, the file and its title for one that is.
TEST_F(FileMenu, AFileNamedOnTheCommandLineOpensAsOpenDoes) {
    const QString bad = PathOf("bad.vkcfg");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("V521 not a configuration");
    file.close();
    const QString good = PathOf("old studio.vkcfg");
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::WriteOnly));
    goodFile.write(Version1File("Camera"));
    goodFile.close();

    struct Case {
        QString path;
        std::vector<unsigned> messages;
        QString title;
    };
    const Case cases[] = {
        {PathOf("missing.vkcfg"), {IDS_ERROR_OPENING}, "VKX520Setup"},
        {bad, {IDS_LOAD_CORRUPT}, "VKX520Setup"},
        {good, {}, "VKX520Setup - old studio"},
    };
    for (const Case& c : cases) {
        ViewRig rig;
        rig.app->OpenDocumentFile(c.path);
        EXPECT_EQ(rig.presenter->ids(), c.messages) << c.path.toStdString();
        EXPECT_EQ(rig.doc().hasConfig(), c.messages.empty()) << c.path.toStdString();
        EXPECT_EQ(rig.frame().windowTitle(), c.title);
    }
}
