// The common frame of the four edit dialogs. Each dialog is a plain data
// holder: the caller fills its public fields, runs it with DoModal (or exec),
// and on IDOK reads the fields back and changes the document itself.
//
// The controls are built from a template that mirrors the dialog resource:
// rows of a static text and its field, then OK and Cancel, sized in dialog
// units. Every control carries its resource ID as the property "vkxControlId"
// so that TranslateDialog can re-text it.
#pragma once

#include <QDialog>

#include <map>
#include <span>

class QComboBox;
class QGridLayout;
class QLabel;
class QVBoxLayout;

enum class FieldKind {
    Value,  // sunken static text with centred text
    List,   // drop-down list
    Edit,   // edit with border
};

// One row of an edit dialog: a static text on the left and its field on the right.
struct DialogRow {
    int staticId;
    const char* staticText;
    int fieldId;
    FieldKind kind;
    int fieldWidth;  // dialog units
    int listHeight;  // dialog units of a drop-down list with its list open; 0 otherwise
};

// Sizes and positions in dialog units, as the resource gives them.
struct DialogTemplate {
    int dialogId;
    const char* caption;
    int width;
    int height;
    int buttonsTop;
    std::span<const DialogRow> rows;
};

class EditDialog : public QDialog {
    Q_OBJECT
public:
    // Runs the dialog modally: IDOK when confirmed, IDCANCEL otherwise.
    int DoModal();

    int DialogId() const { return m_template.dialogId; }
    // The control carrying that resource ID; nullptr if there is none.
    QWidget* Control(int id) const;

    // The dialog initialises from its fields each time it is shown.
    void setVisible(bool visible) override;
    // OK: reads the controls into the fields; the dialog stays open when a
    // field's content cannot be taken.
    void accept() override;
    void done(int result) override;

protected:
    EditDialog(const DialogTemplate& dialogTemplate, QWidget* parent);

    // Re-texts the dialog in the current language, then loads the fields into
    // the controls. Field content is loaded last so that no translated text
    // can replace it.
    virtual void OnInitDialog();
    // save false: fields to controls; save true: controls to fields, false
    // when a field's content cannot be taken.
    virtual bool DoDataExchange(bool save) = 0;

    void ExchangeText(int id, QString& value, bool save) const;
    // A list selection; when nothing is selected, saving keeps the field.
    void ExchangeIndex(int id, int& value, bool save) const;
    QComboBox* List(int id) const;
    // Fills a list and selects the entry index (none when there is no such entry).
    void FillList(int id, const QStringList& entries, int index) const;

private:
    void BuildControls();
    QWidget* CreateField(const DialogRow& row);
    void AddButtons(QVBoxLayout* outer);
    void Register(QWidget* control, int id);

    const DialogTemplate& m_template;
    std::map<int, QWidget*> m_controls;
    bool m_initialised = false;
};
