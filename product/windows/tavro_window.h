#pragma once

// The main window of the program: the product window with the device
// controls of the Tavro cross-flow plate exchangers, their model
// designation, dimensions and weight, the product's limit checks and its
// process data.

#include "physics/frost_check.h"
#include "product/windows/product_window.h"

#include <optional>

class QComboBox;
class QLabel;

namespace tavro {

class TAlignComboBox;
class TIntEdit;
class TavroDocument;

class TFormTavro : public TFormProdukt {
    Q_OBJECT

public:
    explicit TFormTavro(QWidget* parent = nullptr);

    void FormCreate() override;
    void ReadSettings() override;
    void WriteSettings() override;
    void ShowStoredInputs() override;
    void SetCaptions() override;
    void RefreshUnits() override;
    void OptionsApplied() override;
    /// Takes an entry being typed first; a refused one keeps the dialog
    /// closed.
    void Menu_Optionen_EinstellungenClick() override;
    /// Takes an entry being typed first, with its field's validation, so
    /// that the limit checks judge what is calculated; a refused entry
    /// calculates nothing.
    void RunCalculation() override;

    QString WarningText(int number) override;
    bool CheckLimits(const TDatenREK& record) override;
    void ShowProcessData() override;
    void SetInputLimits() override;
    void ShowHint() override;
    void AfterCalculation() override;

    /// The frost check of the calculated heating case (the first), computed
    /// on first use after each calculation; nullptr while the option is
    /// off, the results are not valid or the check fails.
    const FrostCheck* Frost() const;
    /// The hint's text after "Condensation!": the frost limit with the
    /// option on, else (or when the check has nothing to say of frost)
    /// "Freezing limit not considered!" below -5 °C; empty otherwise.
    QString FrostHintText() const;
    /// The frost warning of the heating case; empty when it is not at risk.
    /// Calculate shows it among the limit messages (message kFrostWarning).
    QString FrostWarning() const;
    /// The data sheet's frost line: the warning when the heating case is at
    /// risk, else the frost limit; empty while the check is off.
    QString PageFrostLine() const override;
    /// The coldest wall state on the return-air side of the heating case,
    /// as a single marker.
    void AddChartStates(std::vector<ChartPolyline>& lines) const override;
    void ReadDeviceInputs() override;
    void OutsideAirVolumeChanged() override;

    /// Puts the records' device selection into the controls.
    void ShowDeviceInputs();
    /// The reaction to every device change: designation, device read,
    /// dimensions and weight.
    void ShowProductData();
    /// A device change: ShowProductData, then the input-change handling.
    void Aenderung_Geraet();
    /// A new form of design: the edge list is filtered for it.
    void SetDesign(int design);
    /// A new number of units in series.
    void SetSeriesCount(int count);

    // Handlers. A device change is refused while a numeric field holds a
    // text it does not take: the selection returns to the device read last.
    void Combo_GKanteChange();
    void Combo_PAbstandChange();

    /// Draws the sketch of the current design, then opens the data sheet;
    /// not when an entry being typed is refused or changes the inputs.
    void Menu_Ansicht_DatenblattClick() override;
    /// The diagram command likewise; refreshing passes straight on.
    void ShowDiagram(bool show, bool withResults) override;

    bool DescriptionAvailable() const override { return true; }
    bool SizeSelectionAvailable() const override { return true; }
    /// Opens the size selection on its sizes page.
    void Button_VorauswahlClick();
    /// Opens the size selection on its design page.
    void Button_BauformClick();
    /// Adds the device: design, units, dimensions, weight and their labels.
    SelectionState Selection() const override;
    int PageDesign() const override { return Design; }
    QString PageLabelText(PageLabel label) const override;
    const Recording* PageSketch() const override;

    /// The model designation as shown ("Type: Tavro 20 / 600 / 850 - 5.5 - BY 321").
    QString Designation() const;

    // State.
    int Design = 10;
    int SeriesCount = 1;
    double Weight = 0;                ///< kg
    int DimH = 0, DimB = 0, DimT = 0; ///< outer dimensions, mm

    // Controls of the device panel.
    QLabel* LB_GKante;
    TAlignComboBox* Combo_GKante;
    QLabel* LB_GBreite;
    TIntEdit* Edit_GBreite;
    QLabel* LB_PAbstand;
    TAlignComboBox* Combo_PAbstand;
    QLabel* Label_Bauform;
    QLabel* Label_AnzahlReihe;
    QLabel* LB_Hoehe;
    QLabel* L_Hoehe;
    QLabel* LE_Hoehe;
    QLabel* LB_Breite;
    QLabel* L_Breite;
    QLabel* LE_Breite;
    QLabel* LB_Tiefe;
    QLabel* L_Tiefe;
    QLabel* LE_Tiefe;
    QLabel* LB_Gewicht;
    QLabel* L_Gewicht;
    QLabel* LE_Gewicht;

    // Selection documents (tavro_document_view.cpp).
    /// The open document and its File menu commands; created with the window.
    TavroDocument* Document = nullptr;
    /// Also marks the open document as changed.
    void Aenderung_Daten() override;
    /// Also sets the document commands' texts.
    void ApplyLanguage() override;
    /// The program's title, without the open document's name.
    QString PageCaption() const override;

private:
    mutable std::optional<FrostCheck> frost_; ///< valid while frostDone_
    mutable bool frostDone_ = false;          ///< frost_ belongs to the current results
    /// The frost check of the record CheckLimits judged last, for the text
    /// of its frost warning.
    std::optional<FrostCheck> checkedFrost_;
    void BuildDevicePanel();
    void ConnectSizeSelection();
    void RebuildEdgeList();
    void RebuildPlateGapList(int keepIndex);
    /// Selects the edge and plate distance of the record in the combo boxes.
    void ShowDeviceSelection();
    void ShowDesignation();
    void ComputeDimensionsAndWeight();
    void ShowDimensionsAndWeight();
};

} // namespace tavro
