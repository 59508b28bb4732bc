#include "view/ViewDialogs.h"

#include "render/ConfigPainter.h"

#include <QFileDialog>
#include "view/CompareDlg.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

QString QtViewDialogs::GetOpenFileName(QWidget* parent, const QString& filter, const QString& initialPath) {
    QFileDialog dialog(parent, QString(), initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!initialPath.isEmpty()) dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString QtViewDialogs::GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                                       const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);  // the folder must exist; overwriting is confirmed
    dialog.setDefaultSuffix(defaultSuffix);
    if (!initialPath.isEmpty()) dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

bool QtViewDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    PreparePrintDialog(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void QtViewDialogs::ShowPrintPreview(QWidget* parent, QPrinter& printer, const PaintPages& paintPages) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paintPages](QPrinter* target) { paintPages(*target); });
    dialog.exec();
}

bool QtViewDialogs::PageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtViewDialogs::ShowDifferences(QWidget* parent, const QString& heading, const QStringList& lines) {
    CompareDlg dialog(parent);
    dialog.SetDifferences(heading, lines);
    dialog.exec();
}
