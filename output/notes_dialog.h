#pragma once

// The notes dialog: three free lines printed on the data sheet or with the
// chart.

#include "controls/vk_form.h"

#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace tavro {

class TFormBemerkungen : public TVkForm {
    Q_OBJECT

public:
    explicit TFormBemerkungen(QWidget* owner = nullptr);

    void SetCaptions() override;

    QLineEdit* Bem1;
    QLineEdit* Bem2;
    QLineEdit* Bem3;
    QPushButton* Button_OK;
    QPushButton* Button_Cancel;
};

/// Edits a notes list (UTF-8 lines) with the notes dialog, created on first
/// use with `owner` and kept: the first three lines go into the fields; on
/// OK the list becomes exactly the three fields, empty ones included; on
/// Cancel it stays as it was. Returns the modal result.
int EditNotes(QWidget* owner, std::vector<std::string>& notes);

/// The notes dialog, if it has been created.
TFormBemerkungen* NotesDialog();

} // namespace tavro
