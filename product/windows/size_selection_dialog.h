#pragma once

// The size selection of the main window: a modal dialog with the sizes page
// (every catalogue size for the current air that meets the chosen
// efficiency and pressure drop, sortable, one taken over into the main
// window) and the design page (housing, bypass, damper, units in series
// and bypass velocity, with the sketch of the result).

#include "controls/vk_form.h"
#include "product/selection/size_list.h"

#include <QElapsedTimer>
#include <QStringList>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;

namespace tavro {

class TFormTavro;
class TIntEdit;
class TNumEdit;
struct SizeListJob;

class TFormBaugroessen_Tavro : public TVkForm {
    Q_OBJECT

public:
    explicit TFormBaugroessen_Tavro(QWidget* parent = nullptr);
    /// Abandons a running build and waits for its threads, which stop
    /// after the candidate they are calculating.
    ~TFormBaugroessen_Tavro() override;

    /// Takes the owner's design, units in series, unit system and bypass
    /// velocity, shows the design page (designPage) or the sizes page
    /// modally, and runs the owner's device change after it closes.
    void Open(TFormTavro& owner, bool designPage);

    void SetCaptions() override;
    /// Column captions, the pressure-drop list (keeping its entry), the
    /// bypass velocity's limits, value and unit in SI or inch-pound units.
    void ApplyUnitSystem(bool si);

    /// Activation: on the sizes page the list is rebuilt and its first row
    /// selected, on the design page the picture is redrawn.
    void FormActivate();
    /// A page change: the list rebuilt (sizes) or the picture redrawn.
    void PageChange();

    // Sizes page.
    /// The criteria of the controls: the lists, the preset, the pending
    /// design and units and the bypass velocity (m/s).
    SizeCriteria Criteria();
    /// Reads the owner's inputs into its primary record and starts listing
    /// every size that meets the criteria on a copy of it in the background;
    /// the list is shown (and with `sort` sorted by the sort state) when the
    /// build is done. A build still running is abandoned. Does nothing
    /// without an owner.
    void BuildList(bool sort);
    /// Whether a list is being built.
    bool Building() const;
    /// Processes events until no build is running, at most `timeoutMs`
    /// milliseconds. Returns whether the build has ended.
    bool WaitForList(int timeoutMs = 60000);
    /// What builds the list on the background thread; BuildSizeList unless
    /// replaced (tests replace it to hold a build at a known point).
    using ListBuilder =
        std::function<SizeList(TDatenREK&, const SizeCriteria&, const SizeListRun&)>;
    ListBuilder Builder;
    /// Sorts the list by the sort state.
    void SortList();
    /// A click on a column header: reverses or changes the sort.
    void ListView1ColumnClick(int column);
    /// Takes the selected row over into the owner: edge, width, plate
    /// distance, then the owner's device change. An edge the owner's edge
    /// list does not offer for its design is refused with message 121.
    void Button_BaugroesseClick();
    static constexpr int kColumns = 9;
    /// The nine cells of a row in the current units and number format.
    QStringList RowCells(const SizeRow& row) const;

    // Design page.
    /// The coupling of the options (no damper without bypass), the pending
    /// design, the picture and the design label; enables Apply.
    void CheckBox_Click();
    /// Writes the pending design, units and bypass velocity into the owner
    /// and runs its device change. A velocity text out of range is not
    /// taken (its edit has reported it).
    void Button_BauformClick();
    /// Redraws the sketch of the pending design and units.
    void DrawPicture();
    /// "Form of design: Tavro <code>[, <n> units in serial arrangement]".
    static QString DesignText(int design, int units);

    // State.
    TFormTavro* Owner = nullptr;
    int PendingDesign = 10;
    int PendingUnits = 1;
    bool SI = true;
    SortState Sort;
    /// The bypass velocity (m/s) of the last committed value of its edit.
    double BypassVelocity = 15;
    /// How many times a built list has been shown (tests and diagnostics).
    int ListBuilds = 0;

    // Controls.
    QTabWidget* PageControl;
    QWidget* TabSheet_Baugroessen;
    QWidget* TabSheet_Bauform;
    QPushButton* Button_Close;
    // Sizes page.
    QLabel* LB_Vorauswahl;
    QLabel* LB_MinPHI;
    QComboBox* Combo_MinPHI;
    QLabel* LB_Maxdp;
    QComboBox* Combo_Maxdp;
    QCheckBox* CheckBox_VorgabeBreite;
    TIntEdit* Edit_VorgabeBreite;
    QLabel* LE_VorgabeBreite;
    QComboBox* Combo_TypBreite;
    QTreeWidget* ListView1;
    QLabel* Label_Bauform1;
    QPushButton* Button_Baugroesse;
    /// Shown while a build has taken longer than kProgressDelayMs.
    QProgressBar* ProgressBar_Liste;
    static constexpr int kProgressDelayMs = 150;
    // Design page.
    QCheckBox* CheckBox_Gehaeuse;
    QCheckBox* CheckBox_Bypass;
    QCheckBox* CheckBox_Klappe;
    QLabel* LB_AnzahlReihe;
    QComboBox* Combo_AnzahlReihe;
    QLabel* LB_LGeschwBypass;
    TNumEdit* Edit_LGeschwBypass;
    QLabel* LE_LGeschwBypass;
    QWidget* PaintBox1;
    QLabel* Label_Bauform2;
    QPushButton* Button_Bauform;

protected:
    void showEvent(QShowEvent* event) override;
    /// Closing (Close, Escape, the title bar) abandons a running build
    /// without waiting for it.
    void hideEvent(QHideEvent* event) override;

private:
    void BuildSizesPage();
    void BuildDesignPage();
    void SetSizesCaptions();
    void SetDesignCaptions();
    void FillPressureDropList();
    void LoadOwnerDesign();
    void EnablePreset();
    void SelectFirstRow();
    void Combo_AnzahlReiheChange();
    void VelocityCommitted();

    // The background build.
    void PollBuild();
    void ShowBuiltList();
    void AbandonBuild();
    void JoinFinishedBuilds();

    std::shared_ptr<SizeListJob> job_;
    /// Threads of builds, running or ended and not yet joined.
    std::vector<std::pair<std::shared_ptr<SizeListJob>, std::thread>> threads_;
    QTimer* buildTimer_ = nullptr;
    QElapsedTimer buildClock_;
    bool sortWhenBuilt_ = false;
    bool selectFirstWhenBuilt_ = false;
};

/// Opens the size selection for the main window, creating it on first use
/// and keeping it (with its criteria, preset and page) afterwards.
void OpenSizeSelection(TFormTavro& owner, bool designPage);

/// The size selection, once it has been created.
TFormBaugroessen_Tavro* SizeSelectionDialog();

} // namespace tavro
