// The About box (dialog 100): program name, version, build date and icon.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    // The text of control 1009: "[Mmm dd yyyy]", the day padded with a blank.
    static QString BuildDateText();

protected:
    void OnInitDialog();

private:
    void CreateControls();
};
