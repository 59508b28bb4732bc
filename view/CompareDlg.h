// The list of differences between the displayed configuration and a file or
// the device (File > Compare with...). Only shows; changes nothing.
#pragma once

#include <QDialog>
#include <QStringList>

class CompareDlg : public QDialog {
    Q_OBJECT
public:
    explicit CompareDlg(QWidget* parent = nullptr);
    // heading: what is compared with what; lines: one difference each.
    void SetDifferences(const QString& heading, const QStringList& lines);
    QStringList Lines() const;
};
