#include "app/MessageBoxPresenter.h"

#include "res/resource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {

struct ButtonMap {
    QMessageBox::StandardButton button;
    int id;
};

struct ButtonText {
    QMessageBox::StandardButton button;
    unsigned stringId;
};
constexpr ButtonText kButtonTexts[] = {
    {QMessageBox::Ok, IDS_BUTTON_OK},
    {QMessageBox::Cancel, IDS_BUTTON_CANCEL},
    {QMessageBox::Yes, IDS_BUTTON_YES},
    {QMessageBox::No, IDS_BUTTON_NO},
};

constexpr ButtonMap kButtons[] = {
    {QMessageBox::Ok, IDOK},       {QMessageBox::Cancel, IDCANCEL}, {QMessageBox::Abort, IDABORT},
    {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}, {QMessageBox::Yes, IDYES},
    {QMessageBox::No, IDNO},
};

QMessageBox::StandardButtons ButtonsOf(unsigned style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

void SetMessageBoxButtonTexts(QMessageBox& box) {
    for (const ButtonText& entry : kButtonTexts)
        if (QAbstractButton* button = box.button(entry.button)) button->setText(LoadUiString(entry.stringId));
}

int MessageBoxPresenter::Present(unsigned id, const QString& caption, const QString& text, unsigned style) {
    return PresentDetailed(id, caption, text, {}, style);
}

int MessageBoxPresenter::PresentDetailed(unsigned, const QString& caption, const QString& text, const QString& detail,
                                         unsigned style) {
    QMessageBox box(IconOf(style), caption, text, ButtonsOf(style), QApplication::activeWindow());
    if (!detail.isEmpty()) box.setInformativeText(detail);
    SetMessageBoxButtonTexts(box);
    const auto pressed = QMessageBox::StandardButton(box.exec());
    for (const ButtonMap& entry : kButtons)
        if (entry.button == pressed) return entry.id;
    // Closing the box with Escape or the title bar counts as its cancelling button.
    return (style & MB_TYPEMASK) == MB_YESNO ? IDNO : (style & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}
