// The main toolbar: the file, print, device and About buttons with the serial
// port selector standing in for the toolbar's placeholder item.
#pragma once

#include <QToolBar>
#include <functional>

class QAction;
class QComboBox;

class CMainToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CMainToolBar(QWidget* parent = nullptr);
    ~CMainToolBar() override;

    // Adds the buttons in toolbar order; actionOf gives the command's action.
    void LoadToolBar(const std::function<QAction*(int commandId)>& actionOf);
    // Empties the port selector and fills it with COM1 .. COM8.
    void FillPortSelector();
    // Outside Windows: beside each entry, the device it is mapped to, and as
    // its tooltip the port's description and device path. The dropped list
    // asks for them each time it opens.
    void FillPortDetails();

    QComboBox* PortCombo() const { return m_wndPortCombo; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreatePortSelector();
    int ControlIdOf(QObject* object) const;

    QComboBox* m_wndPortCombo = nullptr;
};
