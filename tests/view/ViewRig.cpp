#include "ViewRig.h"

#include "TestRack.h"

#include "app/MainToolBar.h"
#include "res/resource.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>
#include <QTimer>

#include <memory>

namespace viewtest {

namespace {
QString Take(std::deque<QString>& answers) {
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

void PrintIntoPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}
}  // namespace

QString ScriptedDialogs::GetOpenFileName(QWidget*, const QString& filter, const QString& initialPath) {
    asked << QStringLiteral("open %1 %2").arg(filter, initialPath);
    return Take(openAnswers);
}

QString ScriptedDialogs::GetSaveFileName(QWidget*, const QString& filter, const QString& initialPath,
                                         const QString& defaultSuffix) {
    asked << QStringLiteral("save %1 %2").arg(filter, initialPath);
    lastDefaultSuffix = defaultSuffix;
    return Take(saveAnswers);
}

bool ScriptedDialogs::ChoosePrinter(QWidget*, QPrinter& printer) {
    asked << QStringLiteral("print");
    PrintIntoPdf(printer, pdfPath);
    return printAccepted;
}

void ScriptedDialogs::ShowPrintPreview(QWidget*, QPrinter& printer, const PaintPages& paintPages) {
    asked << QStringLiteral("preview");
    PrintIntoPdf(printer, pdfPath);
    paintPages(printer);
}

bool ScriptedDialogs::PageSetup(QWidget*, QPrinter&) {
    asked << QStringLiteral("setup");
    return true;
}

ConfigImage DemoImage() {
    ConfigImage image = TestRackImage();
    for (int j = 0; j < kInputsPerSlot; ++j) image.audioTable[0][j] = uint8_t(0x11 + j);
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        StoreBlockCrc(image, block);
    return image;
}

ViewRig::ViewRig(const QByteArray& settings) {
    if (!settings.isEmpty()) profile.Write(settings);
    SetDefaultLinkEnvironment(&ports, &clock);
    device.LoadImage(DemoImage());
    app = std::make_unique<CSetupApp>();
    app->SetViewFactory(MainWindowContent());
    EXPECT_TRUE(app->InitInstance());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    // Installed after the program's own message boxes, so it answers instead.
    presenter = std::make_unique<RecordingPresenter>();
    commands().Device().SetTickSource([this] { return ticks; });
    commands().Files().SetDialogs(&dialogs);
    commands().SafeWrites().SetBackups(&backups);
}

void ViewRig::Exit() {
    // The recorder goes first: it puts back the program's own presenter,
    // which ends with the program.
    presenter.reset();
    app.reset();
    SetDefaultLinkEnvironment(nullptr, nullptr);
}

bool ViewRig::Enabled(int id) const {
    frame().UpdateCommandUI();
    return frame().Action(id)->isEnabled();
}

bool ViewRig::PortSelectorEnabled() const {
    frame().UpdateCommandUI();
    return frame().ToolBar()->PortCombo()->isEnabled();
}

bool ViewRig::Connect() {
    Command(ID_DEVICE_CONNECT);
    return doc().deviceBound();
}

void ViewRig::AdvanceMs(uint32_t ms) {
    ticks += ms;
    commands().Device().OnTimer();
}

void ViewRig::ShowNormal(QSize size) const {
    frame().showNormal();
    frame().resize(size);
    QApplication::processEvents();
}

void PollForModal(std::function<bool(QWidget*)> action) {
    // Gives up after about five seconds so that a missing dialog fails the test
    // instead of hanging it.
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(250);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) {
            if (!action(modal)) modal->close();
        } else if (--*tries > 0) {
            return;
        }
        timer->deleteLater();
        timer->stop();
    });
    timer->start(20);
}

bool ViewRig::CloseWindow() const { return frame().close(); }

int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

}  // namespace viewtest
