#include "output/offer_header_dialog.h"

#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace tavro {

namespace {

// Caption fields look like labels: no frame, the dialog's colour.
void MakeCaptionLook(QLineEdit* edit) {
    edit->setFrame(false);
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
}

} // namespace

TFormAngebot::TFormAngebot(QWidget* owner) : TVkForm(owner) {
    setObjectName(QStringLiteral("FormAngebot"));
    SetFixedClientSize(440, 214);
    CheckBox_AlsAngebot = new QCheckBox(this);
    CheckBox_AlsAngebot->setObjectName(QStringLiteral("CheckBox_AlsAngebot"));
    CheckBox_AlsAngebot->setGeometry(16, 12, 400, 20);
    for (int i = 0; i < 8; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit%1").arg(i));
        const int row = i / 2;
        const bool caption = i % 2 == 0;
        e->setGeometry(caption ? 16 : 150, 44 + row * 30, caption ? 130 : 274, 22);
        if (caption) MakeCaptionLook(e);
        Edits[static_cast<size_t>(i)] = e;
    }
    // The date and its caption are shown, not edited.
    for (QLineEdit* e : {Edits[0], Edits[1]}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    MakeCaptionLook(Edits[1]);
    Button_Vorgabe = new QPushButton(this);
    Button_Vorgabe->setObjectName(QStringLiteral("Button_Vorgabe"));
    Button_Vorgabe->setGeometry(16, 174, 100, 26);
    Button_OK = new QPushButton(QStringLiteral("OK"), this);
    Button_OK->setObjectName(QStringLiteral("Button_OK"));
    Button_OK->setGeometry(238, 174, 90, 26);
    Button_Cancel = new QPushButton(this);
    Button_Cancel->setObjectName(QStringLiteral("Button_Cancel"));
    Button_Cancel->setGeometry(334, 174, 90, 26);
    SetDefaultButton(Button_OK);
    SetCancelButton(Button_Cancel);
    SetButtonResult(Button_OK, mrOk);
    SetButtonResult(Button_Cancel, mrCancel);
    connect(Button_Vorgabe, &QPushButton::clicked, this, [this] { Button_VorgabeClick(); });
    setTabOrder(Edits[3], Edits[2]);
    SetCaptions();
    CentreOnScreen();
}

void TFormAngebot::SetCaptions() {
    setFont(UiFont().font);
    setWindowTitle(TextOf(137));
    CheckBox_AlsAngebot->setText(TextOf(143));
    Button_Cancel->setText(TextOf(161));
    Button_Vorgabe->setText(TextOf(163));
    Edits[0]->setText(TextOf(141) + QStringLiteral(":"));
}

void TFormAngebot::Button_VorgabeClick() {
    Edits[2]->setText(TextOf(139) + QStringLiteral(":"));
    Edits[4]->setText(TextOf(140) + QStringLiteral(":"));
    Edits[6]->setText(TextOf(142) + QStringLiteral(":"));
}

int TFormAngebot::Edit(bool& printHeader, std::array<std::string, 8>& header) {
    CheckBox_AlsAngebot->setChecked(printHeader);
    for (size_t i = 1; i < 8; ++i)
        Edits[i]->setText(QString::fromStdString(header[i]));
    Edits[3]->setFocus();
    const int result = ShowModal();
    if (result != mrOk) return result;
    printHeader = CheckBox_AlsAngebot->isChecked();
    for (size_t i = 0; i < 8; ++i)
        header[i] = Edits[i]->text().toStdString();
    return result;
}

} // namespace tavro
