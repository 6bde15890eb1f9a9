#pragma once

// The offer header dialog: offer number, project and position with their
// captions, and the date of the program start, printed at the top of the
// data sheet and the chart page.

#include "controls/vk_form.h"

#include <array>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tavro {

class TFormAngebot : public TVkForm {
    Q_OBJECT

public:
    explicit TFormAngebot(QWidget* owner = nullptr);

    /// Fills the dialog from the main window's data (lines 1 to 7; line 0
    /// is the dialog's own date caption), shows it modally and, only on OK,
    /// writes the check box and lines 0 to 7 back. Returns the modal result.
    /// Header lines are UTF-8.
    int Edit(bool& printHeader, std::array<std::string, 8>& header);

    /// Font, caption, check box, buttons and the date caption in the
    /// current language.
    void SetCaptions() override;

    /// Puts the default captions of offer number, project and position into
    /// their fields; the values stay.
    void Button_VorgabeClick();

    QCheckBox* CheckBox_AlsAngebot;
    std::array<QLineEdit*, 8> Edits; ///< Edit0 ... Edit7
    QPushButton* Button_OK;
    QPushButton* Button_Cancel;
    QPushButton* Button_Vorgabe;
};

} // namespace tavro
