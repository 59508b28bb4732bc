// The system dialogs the view's File commands open: choosing a file to open or
// save, the print dialog, print preview and page setup. The view asks for them
// through this interface so that tests can answer without a person clicking;
// the program uses QtViewDialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

class ViewDialogs {
public:
    using PaintPages = std::function<void(QPrinter&)>;

    virtual ~ViewDialogs() = default;
    // The chosen existing file, or empty when cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& initialPath) = 0;
    // The chosen file to write (defaultSuffix added when the name has none;
    // overwriting an existing file asked first), or empty when cancelled.
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                                    const QString& defaultSuffix) = 0;
    // Lets the user choose the printer and its options; false when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows the pages paintPages draws on the printer until the user closes the preview.
    virtual void ShowPrintPreview(QWidget* parent, QPrinter& printer, const PaintPages& paintPages) = 0;
    // Paper, orientation and margins; false when cancelled.
    virtual bool PageSetup(QWidget* parent, QPrinter& printer) = 0;
    // Lists the differences found by File > Compare with... until closed.
    virtual void ShowDifferences(QWidget* parent, const QString& heading, const QStringList& lines) {
        (void)parent, (void)heading, (void)lines;
    }
};

class QtViewDialogs : public ViewDialogs {
public:
    QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& initialPath) override;
    QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                            const QString& defaultSuffix) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
    void ShowPrintPreview(QWidget* parent, QPrinter& printer, const PaintPages& paintPages) override;
    bool PageSetup(QWidget* parent, QPrinter& printer) override;
    void ShowDifferences(QWidget* parent, const QString& heading, const QStringList& lines) override;
};
