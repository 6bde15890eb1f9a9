#pragma once

// The product level of the main window: the air inputs of both streams for
// one case or a heating and a cooling case, the calculation driver with its
// limit checks, and the four result tables. The plate-exchanger window
// (TFormTavro) adds the device controls.

#include "chart/chart_data.h"
#include "product/model/result_rows.h"
#include "product/model/selection_state.h"
#include "shell/windows/main_window.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tavro {

class TDatenGrid;
class TFormMollier;
class TNumEdit;

class TFormProdukt : public TFormBasis {
    Q_OBJECT

public:
    explicit TFormProdukt(QWidget* parent = nullptr);

    /// Creation: the settings object on the product section, the two
    /// records, then the shell's creation, the stored inputs, results
    /// invalid.
    void FormCreate() override;

    // The shell's operations as this level overrides them.
    void ReadSettings() override;
    void WriteSettings() override;
    void ShowStoredInputs() override;
    void SetResultsValid(bool valid) override;
    bool ValidateAndReport() override;
    void SetUnitSystem(bool si) override;
    void SetHumidityMode(uint8_t mode) override;
    void SetAirQuantityMode(uint8_t mode) override;
    void SetOperatingCases(uint8_t cases) override;
    void SetSeasons(bool seasons) override;
    void RunCalculation() override;
    void ClearResults() override;
    void OptionsApplied() override;
    void SetCaptions() override;
    void RefreshUnits() override;

    // Hooks of this level, in slot order.
    virtual QString WarningText(int number);
    virtual bool CheckLimits(const TDatenREK& record);
    virtual void ShowProcessData();
    virtual void AfterShowInputs();
    /// Called when the records have been calculated, before their results
    /// are shown.
    virtual void AfterCalculation() {}
    /// Adds the product's own states to the chart's process lines.
    virtual void AddChartStates(std::vector<ChartPolyline>& /*lines*/) const {}
    void EnableInputs(bool enable);
    /// The ranges of the air edits and the titles and texts of their range
    /// messages, for the current modes, units and language.
    virtual void SetInputLimits();
    virtual void ShowHint();
    virtual void ShowVelocityAndPressureDrop();
    virtual void ShowOutletStates();
    virtual void ReadDeviceInputs();

    /// The input-change handling: results invalid, inputs read, inlet
    /// states calculated, the inlet and velocity tables shown again.
    virtual void Aenderung_Daten();

    /// After the input change of the outside-air volume: the device window
    /// recomputes what depends on it (bypass, dimensions, weight).
    virtual void OutsideAirVolumeChanged() {}

    /// Commits the entry typed into the focused numeric field (and any
    /// other field holding a typed, uncommitted text) with the field's own
    /// validation, as leaving it would. False when a field refuses its text;
    /// its message has been shown and it keeps the focus. Commands call it
    /// before they read the inputs.
    bool CommitPendingEntries();

    /// Copies the committed values of the air edits into both records.
    void ReadInputs();
    /// Writes both records' inlet states into the inlet table.
    void ShowInputs();
    /// Shows every air edit from its record in the current modes and units.
    void ShowEditsFromRecords();

    /// Whether this program has the chart window (the diagram command).
    virtual bool ChartAvailable() const { return true; }

    /// Opens (show) or refreshes the chart window: with results the two
    /// streams' lines from inlet to outlet (and the summer case's, dotted),
    /// ranges raised to hold them; without results no lines. Refreshing
    /// does nothing while the chart window is not visible.
    void ShowDiagram(bool show, bool withResults) override;
    /// The chart window, once the diagram command has created it.
    TFormMollier* Mollier() const;
    /// Whether the size selection exists; likewise.
    virtual bool SizeSelectionAvailable() const { return false; }
    /// Whether the product description page exists and can be previewed.
    virtual bool DescriptionAvailable() const { return false; }

    /// The selection as the pages show it: records, options, texts, the
    /// tables' cells and labels as shown, and the chart's ranges (those of
    /// the chart window once it exists).
    virtual SelectionState Selection() const;

    // What the pages read (PageOwner).
    std::set<int> PageWarnings() const override { return Warnings; }
    QString PageCell(ResultTable table, int col, int row) const override;
    QString PageLabelText(PageLabel label) const override;
    const Recording* PageChartGrid() const override;
    const Recording* PageChartProcess() const override;

    // State.
    bool ResultsValid = false;
    std::set<int> Warnings;
    bool NoErrors = true;
    int DpLimit = 250;

    // Controls.
    QFrame* Panel_Lufteintritt;
    TDatenGrid* Tabelle_Lufteintritt;
    QLabel* LB_Zuluft;
    QLabel* LB_Abluft;
    QLabel* LB_Zuluft_S;
    QLabel* LB_Abluft_S;
    QLabel* Edit_Winter;
    QLabel* Edit_Sommer;
    QFrame* Panel_Seasons;
    QPushButton* Button_Seasons;
    /// The air edits: [case][stream] with case 0 winter, 1 summer.
    std::array<std::array<TNumEdit*, 2>, 2> Edit_SVol;
    std::array<std::array<TNumEdit*, 2>, 2> Edit_Temp;
    std::array<std::array<TNumEdit*, 2>, 2> Edit_Feuchte;
    QFrame* Panel_w_dp;
    TDatenGrid* Tabelle_w_dp;
    QTabWidget* RegisterDaten;
    QWidget* TabSheet_Luftaustritt;
    QWidget* TabSheet_Prozessdaten;
    TDatenGrid* Tabelle_Luftaustritt;
    TDatenGrid* Tabelle_Prozessdaten;
    QLabel* LB_Hinweis;
    QFrame* Panel_Geraet;
    QFrame* Panel_Buttons;
    QPushButton* Button_Vorauswahl;
    QPushButton* Button_Berechnen;
    QPushButton* Button_Bauform;
    QPushButton* Button_Diagramm;
    QPushButton* Button_Datenblatt;
    QPushButton* Button_Produktbeschreibung;

protected:
    /// The records of the two cases: 0 primary (winter), 1 summer.
    TDatenREK& Case(int c) { return c == 0 ? *Daten : *DatenSommer; }
    /// The number of cases shown (1 or 2).
    int Cases() const { return SeasonMode == 2 ? 2 : 1; }
    /// The column of a value of stream s (0, 1) of case c (0, 1).
    static int ValueColumn(int c, int s) { return 1 + 2 * s + 4 * c; }
    /// The unit column of the current layout.
    int UnitColumn() const { return SeasonMode == 2 ? 9 : 5; }

    /// Lays out the tables and edits for the modes and the case count.
    void LayOut();
    /// Rows of the process-data table: with the frost check option room for
    /// the frost rows below the process data.
    int ProcessRowCount() const;
    /// The Tab order as on the screen: the air edits row by row (each row
    /// from left to right), the result tabs, then `devicePanel`, then the
    /// command buttons.
    void SetTabOrder(const std::vector<QWidget*>& devicePanel);
    /// Fills `grid` with the cells of `table` for the records, flags, units,
    /// language and separators of the window.
    void ShowTable(ShownTable table, TDatenGrid* grid);
    /// Shows a value with its decimals in the current number format.
    static QString Number(double value, int decimals, bool thousands = false);

private:
    QPointer<TFormMollier> mollier_;

    void BuildInputs();
    void BuildResults();
    void BuildButtons();
    void PlaceEdits();
    void SetTableColumns(TDatenGrid* grid);
    void Button_SeasonsClick();
    void ShowSeasonGlyph();
};

} // namespace tavro
