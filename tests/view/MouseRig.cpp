#include "MouseRig.h"

#include "res/resource.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace mousetest {

QPoint ClientCentre(const CMainView& view, int item, int sub) {
    QRect rect;
    EXPECT_TRUE(view.Layout().GetItemRect(item, rect, sub, view.ClientSize())) << item << "/" << sub;
    return rect.center() - view.ScrollPosition();
}

QPoint ClientBody(const CMainView& view, int item) {
    constexpr int kHeadMiddle = 60;
    QRect rect;
    EXPECT_TRUE(view.Layout().GetItemRect(item, rect, SUBITEM_AREA, view.ClientSize())) << item;
    return QPoint(rect.center().x(), rect.top() + kHeadMiddle) - view.ScrollPosition();
}

void Click(CMainView& view, QPoint point) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, point); }

void DoubleClick(CMainView& view, QPoint point) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, point);
}

void Drag(CMainView& view, QPoint from, std::initializer_list<QPoint> over) {
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
    QPoint last = from;
    for (QPoint point : over) {
        QTest::mouseMove(view.viewport(), point);
        last = point;
    }
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, last);
}

void MoveWithoutButton(CMainView& view, QPoint point) {
    QWidget* viewport = view.viewport();
    QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

QString ShotPath(const QString& name) {
    const QString dir = qEnvironmentVariable("VKX_MOUSE_SHOTS", QDir::currentPath());
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

QImage Grab(const CMainView& view) { return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

PaintCounter::PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

int PaintCounter::Take() {
    QApplication::processEvents();
    const int count = m_count;
    m_count = 0;
    return count;
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) ++m_count;
    return QObject::eventFilter(watched, event);
}

DialogScript::DialogScript(CMainView& view) : m_view(view) {
    view.Editor().SetRunner([this](EditDialog& dialog) {
        opened.push_back(dialog.DialogId());
        dialog.show();
        const int result = answer ? answer(dialog) : IDCANCEL;
        dialog.hide();
        return result;
    });
}

DialogScript::~DialogScript() { m_view.Editor().SetRunner(nullptr); }

int Confirm(EditDialog& dialog) {
    dialog.accept();
    return dialog.result() == QDialog::Accepted ? IDOK : IDCANCEL;
}

MouseRig::MouseRig() { ShowNormal({1600, 1200}); }

bool MouseRig::ConnectTo(const ConfigImage& image) {
    device.LoadImage(image);
    return Connect();
}

int MouseRig::CountMessages(unsigned id) const {
    int count = 0;
    for (unsigned shown : presenter->ids()) count += shown == id ? 1 : 0;
    return count;
}

}  // namespace mousetest
