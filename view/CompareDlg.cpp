#include "view/CompareDlg.h"

#include "lang/ControlId.h"
#include "lang/UiText.h"
#include "lang/gui/TranslateUi.h"
#include "res/resource.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CompareDlg::CompareDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Compare configurations"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(this);
    heading->setWordWrap(true);
    heading->setObjectName(QStringLiteral("heading"));
    layout->addWidget(heading);
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("differences"));
    SetControlId(list, IDC_COMPARE_LIST);
    list->setMinimumSize(460, 260);
    heading->setBuddy(list);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(this);
    auto* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
    SetControlId(close, IDOK);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    TranslateDialog(IDD_COMPARE, this);
}

void CompareDlg::SetDifferences(const QString& heading, const QStringList& lines) {
    findChild<QLabel*>(QStringLiteral("heading"))->setText(heading);
    auto* list = findChild<QListWidget*>(QStringLiteral("differences"));
    list->clear();
    list->addItems(lines);
    if (list->count() > 0) list->setCurrentRow(0);
}

QStringList CompareDlg::Lines() const {
    QStringList lines;
    const auto* list = findChild<QListWidget*>(QStringLiteral("differences"));
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}
