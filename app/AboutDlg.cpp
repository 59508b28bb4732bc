#include "app/AboutDlg.h"

#include "app/CommandIcons.h"
#include "lang/ControlId.h"
#include "lang/gui/DialogUnits.h"
#include "lang/gui/TranslateUi.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel* AddStatic(QWidget* parent, const DialogUnits& du, QRect units, const QString& text, int id) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(du.Map(units.x(), units.y(), units.width(), units.height()));
    SetControlId(label, id);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    CreateControls();
    OnInitDialog();
}

CAboutDlg::~CAboutDlg() = default;

QString CAboutDlg::BuildDateText() { return QString::asprintf("[%s]", __DATE__); }

void CAboutDlg::CreateControls() {
    setWindowTitle(QStringLiteral("About"));
    // A title with the system menu and close button only: nothing to resize or minimize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const DialogUnits du(font());
    setFixedSize(du.X(220), du.Y(69));

    auto* icon = new QLabel(this);
    const QRect iconRect = du.Map(8, 8, 20, 20);
    const int side = qMin(iconRect.width(), iconRect.height());
    icon->setGeometry(iconRect);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(AppIcon().pixmap(side, side));

    AddStatic(this, du, {40, 8, 112, 12}, QStringLiteral("VKX 520 Setup Utility"), IDC_STATIC_ID);
    AddStatic(this, du, {40, 24, 44, 12}, QStringLiteral("Version 1.2"), IDC_STATIC_ID);
    AddStatic(this, du, {84, 24, 68, 12}, QString(), IDC_BUILD_DATE);
    AddStatic(this, du, {40, 40, 112, 12}, QStringLiteral("Serial device setup tool"), IDC_STATIC_ID);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(du.Map(164, 8, 50, 14));
    ok->setDefault(true);
    SetControlId(ok, IDOK);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutDlg::OnInitDialog() {
    TranslateDialog(IDD_ABOUTBOX, this);
    for (QLabel* label : findChildren<QLabel*>())
        if (ControlId(label) == IDC_BUILD_DATE) label->setText(BuildDateText());
}
