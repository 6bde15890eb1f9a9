// The frame of the size selection: its pages, opening from the main
// window, captions, the unit system and the activation.

#include "product/windows/size_selection_dialog.h"

#include "controls/num_edit.h"
#include "physics/unit_conversion.h"
#include "product/catalogue/catalogue.h"
#include "product/windows/tavro_window.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

#include <algorithm>

namespace tavro {

namespace {

QPointer<TFormBaugroessen_Tavro> dialog;

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 476;

} // namespace

TFormBaugroessen_Tavro::TFormBaugroessen_Tavro(QWidget* parent) : TVkForm(parent) {
    setObjectName(QStringLiteral("FormBaugroessen_Tavro"));
    SetFixedClientSize(kClientWidth, kClientHeight);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(8, 8, kClientWidth - 16, kClientHeight - 52);
    TabSheet_Baugroessen = new QWidget;
    TabSheet_Baugroessen->setObjectName(QStringLiteral("TabSheet_Baugroessen"));
    TabSheet_Bauform = new QWidget;
    TabSheet_Bauform->setObjectName(QStringLiteral("TabSheet_Bauform"));
    PageControl->addTab(TabSheet_Baugroessen, QString());
    PageControl->addTab(TabSheet_Bauform, QString());
    Button_Close = new QPushButton(this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_Close->setGeometry(kClientWidth - 108, kClientHeight - 36, 100, 26);
    SetCancelButton(Button_Close);
    SetButtonResult(Button_Close, mrCancel);
    BuildSizesPage();
    BuildDesignPage();
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { PageChange(); });
    SetCaptions();
    ApplyUnitSystem(true);
    CentreOnScreen();
}

void TFormBaugroessen_Tavro::SetCaptions() {
    TVkForm::SetCaptions();
    setWindowTitle(QStringLiteral("Tavro ") + TextOf(181));
    PageControl->setTabText(0, TextOf(181));
    PageControl->setTabText(1, TextOf(183));
    Button_Close->setText(TextOf(151));
    SetSizesCaptions();
    SetDesignCaptions();
}

void TFormBaugroessen_Tavro::ApplyUnitSystem(bool si) {
    SI = si;
    SetSizesCaptions();
    FillPressureDropList();
    // The velocity edit shows the record's value in the new unit; its
    // limits are the 5 to 15 m/s in that unit.
    Edit_LGeschwBypass->SetMinValue(si ? kMinBypassVelocity : 984.25);
    Edit_LGeschwBypass->SetMaxValue(si ? kMaxBypassVelocity : 2952.75);
    // Two decimals in fpm: the limits 984.25 and 2952.75 fpm are exactly
    // 5 and 15 m/s, and a value shown rounded to whole fpm ("2953") would
    // be refused by the edit's own range check when entered again.
    Edit_LGeschwBypass->SetDigits(si ? 1 : 2);
    Edit_LGeschwBypass->SetValue(ToShown(kShownVelocity, si, BypassVelocity));
    LE_LGeschwBypass->setText(si ? QStringLiteral("m/s") : QStringLiteral("fpm"));
}

void TFormBaugroessen_Tavro::LoadOwnerDesign() {
    const int design = Owner->Design;
    const QSignalBlocker b1(CheckBox_Bypass), b2(CheckBox_Klappe), b3(CheckBox_Gehaeuse);
    CheckBox_Bypass->setChecked(DesignHasBypass(design));
    CheckBox_Klappe->setChecked(design == kDesignBypassDamper ||
                                design == kDesignHousingBypassDamper);
    CheckBox_Gehaeuse->setChecked(DesignHasHousing(design));
    CheckBox_Klappe->setEnabled(CheckBox_Bypass->isChecked());
    Edit_LGeschwBypass->setEnabled(CheckBox_Bypass->isChecked());
    Button_Bauform->setEnabled(false);
    PendingDesign = design;
    PendingUnits = std::clamp(Owner->SeriesCount, 1, 4);
    const QSignalBlocker b4(Combo_AnzahlReihe);
    Combo_AnzahlReihe->setCurrentIndex(PendingUnits - 1);
}

void TFormBaugroessen_Tavro::Open(TFormTavro& owner, bool designPage) {
    Owner = &owner;
    BypassVelocity = owner.Daten->AirVelBypass;
    LoadOwnerDesign();
    SetCaptions();
    ApplyUnitSystem(owner.SI);
    Label_Bauform2->setText(DesignText(PendingDesign, PendingUnits));
    {
        // The page's own refresh comes with the activation.
        const QSignalBlocker block(PageControl);
        PageControl->setCurrentWidget(designPage ? TabSheet_Bauform : TabSheet_Baugroessen);
    }
    ShowModal();
    owner.Aenderung_Geraet();
}

void TFormBaugroessen_Tavro::showEvent(QShowEvent* event) {
    TVkForm::showEvent(event);
    // Activation may come late or not at all on some platforms; the window
    // is refreshed as activated as soon as it shows.
    if (!event->spontaneous()) FormActivate();
}

void TFormBaugroessen_Tavro::FormActivate() {
    if (PageControl->currentWidget() == TabSheet_Baugroessen) {
        BuildList(false);
        // The list comes later; its first row is selected when it does.
        selectFirstWhenBuilt_ = true;
        if (Owner) Label_Bauform1->setText(DesignText(Owner->Design, Owner->SeriesCount));
    } else {
        DrawPicture();
    }
}

void TFormBaugroessen_Tavro::PageChange() {
    if (PageControl->currentWidget() == TabSheet_Baugroessen) {
        BuildList(false);
        if (Owner) Label_Bauform1->setText(DesignText(Owner->Design, Owner->SeriesCount));
    } else {
        DrawPicture();
    }
}

QString TFormBaugroessen_Tavro::DesignText(int design, int units) {
    QString text = TextOf(183) + QStringLiteral(": Tavro ") + QString::number(design);
    if (units > 1) text += QStringLiteral(", %1 ").arg(units) + TextOf(101);
    return text;
}

void OpenSizeSelection(TFormTavro& owner, bool designPage) {
    if (!dialog) dialog = new TFormBaugroessen_Tavro(&owner);
    if (dialog->parentWidget() != &owner) dialog->setParent(&owner, dialog->windowFlags());
    dialog->Open(owner, designPage);
}

TFormBaugroessen_Tavro* SizeSelectionDialog() {
    return dialog;
}

} // namespace tavro
