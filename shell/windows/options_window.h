#pragma once

// The options dialog window: air pressure or altitude, unit system, input
// modes, separators and the efficiency method. It edits copies only; the
// main window hands the values in before showing it and takes them back on
// OK (EditOptions in shell/options_dialog.h).

#include "controls/vk_form.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tavro {

class TAlignComboBox;
class TCustomNumEdit;
class TNumEdit;
class TVkCheckBox;
class TVkPageControl;
class TVkRadioButton;
class TVkTabSheet;

class TFormOptionen : public TVkForm {
    Q_OBJECT

public:
    explicit TFormOptionen(QWidget* owner = nullptr);

    /// Checks the unit radio button, sets the unit labels, converts the
    /// shown pressure and altitude when the unit system changes, and sets
    /// the fields' ranges for it.
    void ShowUnitSystem(bool si);
    /// Stores the pressure (hPa), derives the altitude and shows both in the
    /// display units.
    void ShowPressure(double pressure);
    /// Stores the humidity mode (0, 1, 7) and selects its item.
    void ShowHumidityMode(uint8_t mode);
    /// Stores the air-quantity mode (0, 1, 3) and selects its item.
    void ShowAirQuantityMode(uint8_t mode);
    /// Shows the separators in their fields (each at most one character)
    /// and keeps them as the ones an empty field stands for.
    void ShowSeparators(const QString& decimal, const QString& thousands);

    /// The separators the two fields give: an empty field gives the one
    /// handed in. False when they are no usable pair (AreSeparatorsAllowed
    /// in shell/number_format.h), or a field holds a character that is not
    /// ASCII; the outputs are then unchanged.
    bool Separators(char& decimal, char& thousands) const;

    bool UnitSI() const { return si_; }
    double Pressure() const { return pressure_; }
    double Altitude() const { return altitude_; }
    uint8_t HumidityMode() const { return humidityMode_; }
    uint8_t AirQuantityMode() const { return airQuantityMode_; }

    void SetCaptions() override;

    // Handlers.
    void FormShow();
    /// Takes an entry being typed in a numeric field and checks the
    /// separators; closes with OK only when both are acceptable, otherwise
    /// the message says why and the offending field has the focus.
    void Button_OKClick();
    void Edit_LuftdruckCalculate(TCustomNumEdit& sender);
    void RadioButton_SIClick();
    void Tabelle_EinheitenDblClick(int row, int column);
    void Combo_LuftmengeChange();
    void Combo_FeuchteChange();
    void RadioButton_PHI_EuropaClick();

    QPushButton* Button_OK;
    QPushButton* Button_Cancel;
    TVkPageControl* PageControl1;
    TVkTabSheet* Seite_Umgebung;
    TVkTabSheet* Seite_Einheiten;
    TVkTabSheet* Seite_EingabeDaten;
    TVkTabSheet* Seite_Prozessdaten;
    QLabel* Label_Luftdruck;
    TNumEdit* Edit_Luftdruck;
    QLabel* Label_mbar;
    QLabel* Label_HoeheNN;
    TNumEdit* Edit_HoeheNN;
    QLabel* Label_m;
    TVkRadioButton* RadioButton_SI;
    TVkRadioButton* RadioButton_US;
    QTableWidget* Tabelle_Einheiten;
    QLabel* Label_DecimalSeparator;
    QLineEdit* Edit_DecimalSeparator;
    QLabel* Label_ThousandSeparator;
    QLineEdit* Edit_ThousandSeparator;
    QLabel* Label_Currency;
    QLineEdit* Edit_Currency;
    QLabel* Label_Luftmenge;
    TAlignComboBox* Combo_Luftmenge;
    QLabel* Label_Feuchte;
    TAlignComboBox* Combo_Feuchte;
    TVkCheckBox* CheckBox_WB;
    TVkRadioButton* RadioButton_PHI_Europa;
    TVkRadioButton* RadioButton_PHI_USA;
    TVkCheckBox* CheckBox_HCLASS;
    TVkCheckBox* CheckBox_TotalEff;
    TVkCheckBox* CheckBox_Frost; ///< frost check after every calculation

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void ShowValues();
    void SetRanges();
    /// Shows `message` (a text number, its "%s" filled with `character`)
    /// titled `title`, and puts the focus into `field` on its page.
    void RefuseSeparator(QLineEdit* field, int message, int title, const QString& character);

    bool si_ = true;
    double pressure_ = 1013;
    double altitude_ = 0;
    uint8_t humidityMode_ = 0;
    uint8_t airQuantityMode_ = 0;
    QString decimalGiven_;
    QString thousandsGiven_;
};

} // namespace tavro
