#include "output/notes_dialog.h"

#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tavro {

namespace {

QPointer<TFormBemerkungen> dialog;

} // namespace

TFormBemerkungen::TFormBemerkungen(QWidget* owner) : TVkForm(owner) {
    setObjectName(QStringLiteral("FormBemerkungen"));
    SetFixedClientSize(440, 150);
    QLineEdit** fields[] = {&Bem1, &Bem2, &Bem3};
    for (int i = 0; i < 3; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Bem%1").arg(i + 1));
        e->setGeometry(16, 14 + i * 30, 408, 22);
        *fields[i] = e;
    }
    Button_OK = new QPushButton(QStringLiteral("OK"), this);
    Button_OK->setObjectName(QStringLiteral("Button_OK"));
    Button_OK->setGeometry(238, 110, 90, 26);
    Button_Cancel = new QPushButton(this);
    Button_Cancel->setObjectName(QStringLiteral("Button_Cancel"));
    Button_Cancel->setGeometry(334, 110, 90, 26);
    SetDefaultButton(Button_OK);
    SetCancelButton(Button_Cancel);
    SetButtonResult(Button_OK, mrOk);
    SetButtonResult(Button_Cancel, mrCancel);
    SetCaptions();
    CentreOnScreen();
}

void TFormBemerkungen::SetCaptions() {
    setFont(UiFont().font);
    setWindowTitle(TextOf(135));
    Button_Cancel->setText(TextOf(161));
}

TFormBemerkungen* NotesDialog() {
    return dialog;
}

int EditNotes(QWidget* owner, std::vector<std::string>& notes) {
    if (!dialog) dialog = new TFormBemerkungen(owner);
    QLineEdit* fields[] = {dialog->Bem1, dialog->Bem2, dialog->Bem3};
    for (size_t i = 0; i < 3; ++i) {
        fields[i]->setText(i < notes.size() ? QString::fromStdString(notes[i]) : QString());
    }
    dialog->Bem1->setFocus();
    const int result = dialog->ShowModal();
    if (result != mrOk) return result;
    notes.clear();
    for (QLineEdit* f : fields)
        notes.push_back(f->text().toStdString());
    return result;
}

} // namespace tavro
