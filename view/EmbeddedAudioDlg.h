// "Edit embedded audio channel" (dialog 209): group 1..4 and stereo pair 1..2
// of an input's embedded audio.
#pragma once

#include "view/EditDialog.h"

#include <cstdint>

class CEmbeddedAudioDlg : public EditDialog {
    Q_OBJECT
public:
    explicit CEmbeddedAudioDlg(QWidget* parent = nullptr);

    int m_group = 0;       // 0..3 for group 1..4
    int m_stereoPair = 0;  // 0..1 for pair 1..2
    QString m_inputNumber;
    QString m_inputType;

    // The stored setting byte and back: group in bits 1..2, pair in bit 0.
    void SetSetting(uint8_t setting);
    uint8_t Setting() const;

protected:
    bool DoDataExchange(bool save) override;
};
