// The design page of the size selection: housing, bypass and damper,
// units in series, the bypass velocity and the sketch of the result.

#include "product/windows/size_selection_dialog.h"

#include "controls/named_widget.h"
#include "controls/num_edit.h"
#include "output/painter_canvas.h"
#include "output/sketch.h"
#include "physics/unit_conversion.h"
#include "product/catalogue/catalogue.h"
#include "product/windows/tavro_window.h"
#include "shell/qt/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace tavro {

namespace {

// The sketch picture stretched to the whole box on white.
class TSketchBox : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        TPainterCanvas canvas(painter);
        SketchPicture().Play(canvas, rect());
    }
};

} // namespace

void TFormBaugroessen_Tavro::BuildDesignPage() {
    QWidget* p = TabSheet_Bauform;
    CheckBox_Gehaeuse = MakeNamed<QCheckBox>(p, "CheckBox_Gehaeuse");
    CheckBox_Gehaeuse->setGeometry(16, 14, 260, 20);
    CheckBox_Bypass = MakeNamed<QCheckBox>(p, "CheckBox_Bypass");
    CheckBox_Bypass->setGeometry(16, 40, 260, 20);
    CheckBox_Klappe = MakeNamed<QCheckBox>(p, "CheckBox_Klappe");
    CheckBox_Klappe->setGeometry(36, 66, 240, 20);
    LB_AnzahlReihe = MakeNamed<QLabel>(p, "LB_AnzahlReihe");
    LB_AnzahlReihe->setGeometry(300, 16, 150, 20);
    Combo_AnzahlReihe = MakeNamed<QComboBox>(p, "Combo_AnzahlReihe");
    Combo_AnzahlReihe->setGeometry(454, 14, 110, 22);
    Combo_AnzahlReihe->addItems({QString(), QString(), QString(), QString()});
    LB_LGeschwBypass = MakeNamed<QLabel>(p, "LB_LGeschwBypass");
    LB_LGeschwBypass->setGeometry(300, 46, 150, 20);
    Edit_LGeschwBypass = MakeNamed<TNumEdit>(p, "Edit_LGeschwBypass");
    Edit_LGeschwBypass->setGeometry(454, 44, 70, 22);
    Edit_LGeschwBypass->SetValidation(true);
    LE_LGeschwBypass = MakeNamed<QLabel>(p, "LE_LGeschwBypass");
    LE_LGeschwBypass->setGeometry(528, 46, 40, 20);
    // 2970 × 1100 sketch units: the box keeps that proportion.
    PaintBox1 = new TSketchBox(p);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(16, 100, 648, 240);
    Label_Bauform2 = MakeNamed<QLabel>(p, "Label_Bauform2");
    Label_Bauform2->setGeometry(16, 358, 500, 20);
    Button_Bauform = MakeNamed<QPushButton>(p, "Button_Bauform");
    Button_Bauform->setGeometry(674, 354, 100, 26);
    Button_Bauform->setEnabled(false);

    for (QCheckBox* box : {CheckBox_Gehaeuse, CheckBox_Bypass, CheckBox_Klappe})
        connect(box, &QCheckBox::clicked, this, [this] { CheckBox_Click(); });
    connect(Combo_AnzahlReihe, &QComboBox::activated, this, [this] { Combo_AnzahlReiheChange(); });
    Edit_LGeschwBypass->OnCalculate = [this](TCustomNumEdit&) { VelocityCommitted(); };
    connect(Button_Bauform, &QPushButton::clicked, this, [this] { Button_BauformClick(); });
}

void TFormBaugroessen_Tavro::SetDesignCaptions() {
    CheckBox_Bypass->setText(TextOf(185));
    CheckBox_Klappe->setText(TextOf(186));
    CheckBox_Gehaeuse->setText(TextOf(187));
    LB_AnzahlReihe->setText(TextOf(98));
    Combo_AnzahlReihe->setItemText(0, QStringLiteral("1 ") + TextOf(99));
    for (int n = 2; n <= 4; ++n)
        Combo_AnzahlReihe->setItemText(n - 1, QStringLiteral("%1 ").arg(n) + TextOf(100));
    LB_LGeschwBypass->setText(TextOf(38));
    Edit_LGeschwBypass->SetContent(TextOf(38));
    Edit_LGeschwBypass->SetErrorMessage(TextOf(105));
    Button_Bauform->setText(TextOf(152));
    Label_Bauform2->setText(DesignText(PendingDesign, PendingUnits));
}

void TFormBaugroessen_Tavro::CheckBox_Click() {
    const bool bypass = CheckBox_Bypass->isChecked();
    if (!bypass) CheckBox_Klappe->setChecked(false);
    CheckBox_Klappe->setEnabled(bypass);
    Edit_LGeschwBypass->setEnabled(bypass);
    PendingDesign =
        DesignFromOptions(CheckBox_Gehaeuse->isChecked(), bypass, CheckBox_Klappe->isChecked());
    DrawPicture();
    Label_Bauform2->setText(DesignText(PendingDesign, PendingUnits));
    Button_Bauform->setEnabled(true);
}

void TFormBaugroessen_Tavro::Combo_AnzahlReiheChange() {
    PendingUnits = std::clamp(Combo_AnzahlReihe->currentIndex() + 1, 1, 4);
    // The picture and the label show the units too.
    DrawPicture();
    Label_Bauform2->setText(DesignText(PendingDesign, PendingUnits));
    Button_Bauform->setEnabled(true);
}

void TFormBaugroessen_Tavro::VelocityCommitted() {
    // The edit has checked the range of its unit; the value is kept in m/s
    // and held inside 5 to 15 m/s against the rounding of the conversion.
    BypassVelocity = std::clamp(FromShown(kShownVelocity, SI, Edit_LGeschwBypass->Value()),
                                kMinBypassVelocity, kMaxBypassVelocity);
    Button_Bauform->setEnabled(true);
}

void TFormBaugroessen_Tavro::DrawPicture() {
    DrawSketch(PendingDesign, PendingUnits);
    PaintBox1->update();
}

void TFormBaugroessen_Tavro::Button_BauformClick() {
    if (!Owner) return;
    // A text typed and not committed is taken when it is valid; an invalid
    // one has been refused by the edit when the focus left it.
    if (Edit_LGeschwBypass->isModified()) {
        if (!Edit_LGeschwBypass->IsTextValid()) return;
        VelocityCommitted();
    }
    TFormTavro& o = *Owner;
    o.SetDesign(PendingDesign);
    o.SetSeriesCount(PendingUnits);
    o.Daten->AirVelBypass = BypassVelocity;
    o.Aenderung_Geraet();
    Button_Bauform->setEnabled(false);
}

} // namespace tavro
