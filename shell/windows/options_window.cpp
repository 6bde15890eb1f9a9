#include "shell/windows/options_window.h"

#include "controls/named_widget.h"
#include "controls/num_edit.h"
#include "controls/vk_controls.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTableWidget>

namespace tavro {

namespace {

constexpr int kUnitRows = 12;
const int kUnitTexts[kUnitRows] = {39, 12, 14, 25, 33, 26, 38, 22, 1, 2, 350, 350};
// The unit columns: a text number (positive) or a literal.
struct UnitCell {
    int text;
    const char* literal;
};
const UnitCell kSiUnits[kUnitRows] = {{410, ""},   {411, ""}, {0, "g/kg"}, {0, "kJ/kg"},
                                      {0, "kg/h"}, {0, "kW"}, {0, "m/s"},  {0, "Pa"},
                                      {0, "mbar"}, {0, "m"},  {0, "W"},    {0, "kW"}};
const UnitCell kUsUnits[kUnitRows] = {{0, "cfm"},  {412, ""},    {0, "gr/lb"}, {0, "BTU/lb"},
                                      {0, "lb/h"}, {0, "BTU/h"}, {0, "fpm"},   {0, "in.W.G."},
                                      {0, "atm"},  {0, "ft"},    {0, "HP"},    {0, "HP"}};

QString CellText(const UnitCell& c) {
    return c.text > 0 ? TextOf(c.text) : QString::fromUtf8(c.literal);
}

QString Padded(const QString& s) {
    return QStringLiteral("   ") + s + QStringLiteral("   ");
}

TNumEdit* MakeNumberField(QWidget* parent, const char* name) {
    TNumEdit* e = MakeNamed<TNumEdit>(parent, name);
    e->SetFormat(ffGeneral);
    e->SetPrecision(10);
    e->SetValidation(true);
    return e;
}

} // namespace

TFormOptionen::TFormOptionen(QWidget* owner) : TVkForm(owner) {
    setObjectName(QStringLiteral("FormOptionen"));
    SetFixedClientSize(449, 347);

    PageControl1 = MakeNamed<TVkPageControl>(this, "PageControl1");
    PageControl1->setGeometry(8, 8, 433, 294);
    // All four tabs stay in sight with their whole captions: the tabs wrap
    // into a further row where one row does not hold them.
    PageControl1->SetMultiLine(true);
    Button_OK = MakeNamed<QPushButton>(this, "Button_OK");
    Button_OK->setText(QStringLiteral("OK"));
    Button_OK->setGeometry(285, 312, 75, 25);
    Button_Cancel = MakeNamed<QPushButton>(this, "Button_Cancel");
    Button_Cancel->setGeometry(366, 312, 75, 25);
    SetDefaultButton(Button_OK);
    SetCancelButton(Button_Cancel);
    connect(Button_OK, &QPushButton::clicked, this, [this] { Button_OKClick(); });
    SetButtonResult(Button_Cancel, mrCancel);
    // Cancel discards everything, so a click on it must not make a numeric
    // field check (and keep) a text it refuses: the button takes no focus
    // from the mouse.
    Button_Cancel->setFocusPolicy(Qt::TabFocus);

    // Page 0: air pressure or altitude.
    Seite_Umgebung = MakeNamed<TVkTabSheet>(nullptr, "Seite_Umgebung");
    Label_Luftdruck = MakeNamed<QLabel>(Seite_Umgebung, "Label_Luftdruck");
    Label_Luftdruck->setGeometry(24, 32, 170, 20);
    Edit_Luftdruck = MakeNumberField(Seite_Umgebung, "Edit_Luftdruck");
    Edit_Luftdruck->setGeometry(200, 30, 100, 22);
    Label_mbar = MakeNamed<QLabel>(Seite_Umgebung, "Label_mbar");
    Label_mbar->setGeometry(308, 32, 60, 20);
    Label_HoeheNN = MakeNamed<QLabel>(Seite_Umgebung, "Label_HoeheNN");
    Label_HoeheNN->setGeometry(24, 68, 170, 20);
    Edit_HoeheNN = MakeNumberField(Seite_Umgebung, "Edit_HoeheNN");
    Edit_HoeheNN->setGeometry(200, 66, 100, 22);
    Label_m = MakeNamed<QLabel>(Seite_Umgebung, "Label_m");
    Label_m->setGeometry(308, 68, 60, 20);
    for (TNumEdit* e : {Edit_Luftdruck, Edit_HoeheNN}) {
        e->OnCalculate = [this](TCustomNumEdit& sender) { Edit_LuftdruckCalculate(sender); };
    }

    // Page 1: units and separators.
    Seite_Einheiten = MakeNamed<TVkTabSheet>(nullptr, "Seite_Einheiten");
    RadioButton_SI = MakeNamed<TVkRadioButton>(Seite_Einheiten, "RadioButton_SI");
    RadioButton_SI->setText(QStringLiteral("SI"));
    RadioButton_US = MakeNamed<TVkRadioButton>(Seite_Einheiten, "RadioButton_US");
    RadioButton_US->setText(QStringLiteral("UK / US"));
    Tabelle_Einheiten = MakeNamed<QTableWidget>(Seite_Einheiten, "Tabelle_Einheiten");
    Label_DecimalSeparator = MakeNamed<QLabel>(Seite_Einheiten, "Label_DecimalSeparator");
    Edit_DecimalSeparator = MakeNamed<QLineEdit>(Seite_Einheiten, "Edit_DecimalSeparator");
    Label_ThousandSeparator = MakeNamed<QLabel>(Seite_Einheiten, "Label_ThousandSeparator");
    Edit_ThousandSeparator = MakeNamed<QLineEdit>(Seite_Einheiten, "Edit_ThousandSeparator");
    Label_Currency = MakeNamed<QLabel>(Seite_Einheiten, "Label_Currency");
    Edit_Currency = MakeNamed<QLineEdit>(Seite_Einheiten, "Edit_Currency");
    for (QLineEdit* e : {Edit_DecimalSeparator, Edit_ThousandSeparator}) {
        e->setMaxLength(1);
        e->setAlignment(Qt::AlignCenter);
    }
    Edit_Currency->setMaxLength(3);
    connect(RadioButton_SI, &QRadioButton::clicked, this, [this] { RadioButton_SIClick(); });
    connect(RadioButton_US, &QRadioButton::clicked, this, [this] { RadioButton_SIClick(); });
    connect(Tabelle_Einheiten, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { Tabelle_EinheitenDblClick(row, column); });

    // Page 2: input data.
    Seite_EingabeDaten = MakeNamed<TVkTabSheet>(nullptr, "Seite_EingabeDaten");
    Label_Luftmenge = MakeNamed<QLabel>(Seite_EingabeDaten, "Label_Luftmenge");
    Label_Luftmenge->setGeometry(24, 32, 160, 20);
    Combo_Luftmenge = MakeNamed<TAlignComboBox>(Seite_EingabeDaten, "Combo_Luftmenge");
    Combo_Luftmenge->setGeometry(190, 30, 210, 22);
    Label_Feuchte = MakeNamed<QLabel>(Seite_EingabeDaten, "Label_Feuchte");
    Label_Feuchte->setGeometry(24, 68, 160, 20);
    Combo_Feuchte = MakeNamed<TAlignComboBox>(Seite_EingabeDaten, "Combo_Feuchte");
    Combo_Feuchte->setGeometry(190, 66, 210, 22);
    CheckBox_WB = MakeNamed<TVkCheckBox>(Seite_EingabeDaten, "CheckBox_WB");
    CheckBox_WB->setGeometry(24, 110, 380, 22);
    for (TAlignComboBox* c : {Combo_Luftmenge, Combo_Feuchte}) {
        c->SetItemHeight(16);
        c->SetAlignment(Qt::AlignLeft);
    }
    connect(Combo_Luftmenge, &QComboBox::activated, this, [this] { Combo_LuftmengeChange(); });
    connect(Combo_Feuchte, &QComboBox::activated, this, [this] { Combo_FeuchteChange(); });

    // Page 3: process data.
    Seite_Prozessdaten = MakeNamed<TVkTabSheet>(nullptr, "Seite_Prozessdaten");
    RadioButton_PHI_Europa =
        MakeNamed<TVkRadioButton>(Seite_Prozessdaten, "RadioButton_PHI_Europa");
    RadioButton_PHI_Europa->setGeometry(24, 20, 380, 36);
    RadioButton_PHI_USA = MakeNamed<TVkRadioButton>(Seite_Prozessdaten, "RadioButton_PHI_USA");
    RadioButton_PHI_USA->setGeometry(24, 62, 380, 36);
    CheckBox_HCLASS = MakeNamed<TVkCheckBox>(Seite_Prozessdaten, "CheckBox_HCLASS");
    CheckBox_HCLASS->setGeometry(24, 116, 380, 36);
    CheckBox_TotalEff = MakeNamed<TVkCheckBox>(Seite_Prozessdaten, "CheckBox_TotalEff");
    CheckBox_TotalEff->setGeometry(24, 160, 380, 22);
    CheckBox_TotalEff->setVisible(false);
    CheckBox_Frost = MakeNamed<TVkCheckBox>(Seite_Prozessdaten, "CheckBox_Frost");
    CheckBox_Frost->setGeometry(24, 192, 380, 22);
    for (TVkRadioButton* r : {RadioButton_PHI_Europa, RadioButton_PHI_USA}) {
        r->SetWordWrap(true);
        connect(r, &QRadioButton::clicked, this, [this] { RadioButton_PHI_EuropaClick(); });
    }
    CheckBox_HCLASS->SetWordWrap(true);

    for (TVkTabSheet* page :
         {Seite_Umgebung, Seite_Einheiten, Seite_EingabeDaten, Seite_Prozessdaten}) {
        PageControl1->AddPage(page, QString());
    }
    FormCreate();
    CentreOnScreen();
}

void TFormOptionen::FormCreate() {
    CheckBox_WB->setVisible(true);
    CheckBox_HCLASS->setVisible(true);
    PageControl1->setCurrentIndex(0);

    // The unit table: twelve rows and a thirteenth of height 0 that is the
    // current row, so that no visible cell looks selected.
    QTableWidget* t = Tabelle_Einheiten;
    t->setRowCount(kUnitRows + 1);
    t->setColumnCount(3);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r <= kUnitRows; ++r)
        t->setRowHeight(r, r < kUnitRows ? 20 : 0);
    t->setColumnWidth(0, 140);
    t->setColumnWidth(1, 70);
    t->setColumnWidth(2, 70);
    const int scroll = t->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // Seven rows in sight, so that the separators below still fit when the
    // tabs take two rows.
    t->setGeometry(10, 26, 288 + scroll, 7 * 20 + 2 * t->frameWidth());
    RadioButton_SI->setGeometry(154, 4, 60, 20);
    RadioButton_US->setGeometry(226, 4, 80, 20);
    for (int r = 0; r <= kUnitRows; ++r) {
        for (int c = 0; c < 3; ++c)
            t->setItem(r, c, new QTableWidgetItem);
    }
    // The hidden current row must not pull the table down to it when the
    // page is first shown: the table opens with its first rows.
    t->setAutoScroll(false);
    t->setCurrentCell(kUnitRows, 0);
    t->scrollToTop();

    const int below = t->geometry().bottom() + 10;
    Label_DecimalSeparator->setGeometry(10, below, 180, 20);
    Edit_DecimalSeparator->setGeometry(196, below - 1, 30, 22);
    Label_ThousandSeparator->setGeometry(10, below + 28, 180, 20);
    Edit_ThousandSeparator->setGeometry(196, below + 27, 30, 22);
    Label_Currency->setGeometry(240, below, 110, 20);
    Edit_Currency->setGeometry(356, below - 1, 40, 22);

    for (int i = 0; i < 3; ++i) {
        Combo_Luftmenge->addItem(QString());
        Combo_Feuchte->addItem(QString());
    }
    PageControl1->setCurrentIndex(0);
    SetRanges();
    SetCaptions();
}

void TFormOptionen::SetCaptions() {
    setFont(UiFont().font);
    setWindowTitle(TextOf(165));
    Button_Cancel->setText(TextOf(161));
    PageControl1->setTabText(0, Padded(TextOf(166)));
    PageControl1->setTabText(1, Padded(TextOf(167) + QStringLiteral(" / ") + TextOf(328)));
    PageControl1->setTabText(2, Padded(TextOf(168)));
    PageControl1->setTabText(3, TextOf(11));
    Label_Luftdruck->setText(TextOf(1));
    Label_HoeheNN->setText(TextOf(2));
    for (TNumEdit* e : {Edit_Luftdruck, Edit_HoeheNN})
        e->SetErrorMessage(TextOf(105));
    Edit_Luftdruck->SetContent(TextOf(1));
    Edit_HoeheNN->SetContent(TextOf(2));
    for (int r = 0; r < kUnitRows; ++r) {
        Tabelle_Einheiten->item(r, 0)->setText(QStringLiteral(" ") + TextOf(kUnitTexts[r]));
        Tabelle_Einheiten->item(r, 1)->setText(CellText(kSiUnits[r]));
        Tabelle_Einheiten->item(r, 2)->setText(CellText(kUsUnits[r]));
    }
    Label_DecimalSeparator->setText(TextOf(207));
    Label_ThousandSeparator->setText(TextOf(208));
    Label_Currency->setText(TextOf(327));
    Label_Luftmenge->setText(TextOf(39));
    Label_Feuchte->setText(TextOf(15));
    const int quantity[] = {16, 17, 33};
    const int humidity[] = {13, 14, 51};
    for (int i = 0; i < 3; ++i) {
        Combo_Luftmenge->setItemText(i, TextOf(quantity[i]));
        Combo_Feuchte->setItemText(i, TextOf(humidity[i]));
    }
    CheckBox_WB->setText(TextOf(567));
    RadioButton_PHI_Europa->setText(TextOf(439));
    RadioButton_PHI_USA->setText(TextOf(440));
    CheckBox_HCLASS->setText(TextOf(560) + QStringLiteral(" / ") + TextOf(19) +
                             QStringLiteral(" ErP Lot 6"));
    CheckBox_TotalEff->setText(TextOf(566));
    CheckBox_Frost->setText(TextOf(700));
    Label_mbar->setText(si_ ? QStringLiteral("mbar") : QStringLiteral("atm"));
    Label_m->setText(si_ ? QStringLiteral("m") : QStringLiteral("ft"));
}

void TFormOptionen::showEvent(QShowEvent* event) {
    FormShow();
    TVkForm::showEvent(event);
}

void TFormOptionen::FormShow() {
    Label_Currency->setVisible(false);
    Edit_Currency->setVisible(false);
}

void TFormOptionen::RadioButton_SIClick() {
    ShowUnitSystem(RadioButton_SI->isChecked());
}

void TFormOptionen::Tabelle_EinheitenDblClick(int, int column) {
    if (column == 1) RadioButton_SI->setChecked(true);
    if (column == 2) RadioButton_US->setChecked(true);
    if (column == 1 || column == 2) RadioButton_SIClick();
}

void TFormOptionen::ShowHumidityMode(uint8_t mode) {
    humidityMode_ = mode;
    Combo_Feuchte->setCurrentIndex(mode == 7 ? 2 : mode);
}

void TFormOptionen::ShowAirQuantityMode(uint8_t mode) {
    airQuantityMode_ = mode;
    Combo_Luftmenge->setCurrentIndex(mode == 3 ? 2 : mode);
}

void TFormOptionen::Combo_LuftmengeChange() {
    const int item = Combo_Luftmenge->currentIndex();
    ShowAirQuantityMode(static_cast<uint8_t>(item == 2 ? 3 : item));
}

void TFormOptionen::Combo_FeuchteChange() {
    const int item = Combo_Feuchte->currentIndex();
    ShowHumidityMode(static_cast<uint8_t>(item == 2 ? 7 : item));
}

void TFormOptionen::RadioButton_PHI_EuropaClick() {
    const bool usa = RadioButton_PHI_USA->isChecked();
    CheckBox_TotalEff->setEnabled(usa);
    CheckBox_TotalEff->setChecked(usa);
    const bool europa = RadioButton_PHI_Europa->isChecked();
    CheckBox_HCLASS->setEnabled(europa);
    CheckBox_HCLASS->setChecked(europa);
}

} // namespace tavro
