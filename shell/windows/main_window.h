#pragma once

// The product-independent main window: menus, the logo and title strip, the
// settings, language switching, offer header and notes, options and the
// hand-over of pages to the preview. The product window derives from it and
// fills in the inputs, the calculation and the pages through the
// overridable operations below.

#include "controls/vk_form.h"
#include "output/page_list.h"
#include "output/page_owner.h"
#include "physics/records.h"
#include "shell/settings/ini_file.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;

namespace tavro {

class TFormInfo;

class TFormBasis : public TVkForm, public PageOwner {
    Q_OBJECT

public:
    explicit TFormBasis(QWidget* parent = nullptr);
    ~TFormBasis() override;

    /// The creation routine: run once after construction, when the product
    /// window has created the settings file object and both records. Sets
    /// up the menus, the title, the lists and the logos, removes what
    /// interrupted writes left beside the settings file, then reads the
    /// settings and applies the language.
    virtual void FormCreate();

    /// Shutdown: writes the settings of every level in one replacement of
    /// the file, inside a guard that discards any error; nothing when the
    /// file could not be read at start. Runs once, when the window closes
    /// (or at the latest when it is destroyed, then without the product's
    /// keys).
    void FormDestroy();

    // Overridable operations, in slot order.
    virtual void ReadSettings();
    virtual void WriteSettings();
    virtual void ShowStoredInputs();
    virtual void SetResultsValid(bool valid);
    virtual bool ValidateAndReport();
    virtual void SetUnitSystem(bool si);
    virtual void SetHumidityMode(uint8_t mode);
    virtual void SetVolumeReference(uint8_t reference);
    virtual void SetAirQuantityMode(uint8_t mode);
    virtual void SetOperatingCases(uint8_t cases);
    virtual void SetSeasons(bool seasons);
    virtual void RunCalculation();
    virtual void ClearResults();
    virtual void ApplyLanguage();
    virtual void OptionsApplied();
    virtual void ShowDataSheet();
    virtual void ShowProductDescription();
    void SetCaptions() override;
    virtual void SetFonts();
    virtual void RefreshUnits();
    virtual void ShowDiagram(bool show, bool refresh);

    // Handlers of the menu items.
    void Menu_Datei_BeendenClick();
    void Menu_Edit_KopfzeileClick();
    void Menu_Edit_BemClick(QAction* sender);
    virtual void Menu_Ansicht_DatenblattClick();
    void Menu_Ansicht_DiagrammClick();
    virtual void Menu_Ansicht_ProduktbeschreibungClick();
    void Menu_Optionen_DeutschClick(QAction* sender);
    virtual void Menu_Optionen_EinstellungenClick();
    void Menu_Optionen_UseSeasonsClick();
    void Menu_Hilfe_InfoClick();
    void Menu_Hilfe_HomepageClick();
    void Menu_Hilfe_EMailClick();
    void Button_BerechnenClick();

    /// Makes the logo strip this wide (630 pixels at first), the right logo
    /// at its right end.
    void SetLogoStripWidth(int width);

    // What the pages read (PageOwner).
    QString PageCaption() const override { return windowTitle(); }
    bool PageSI() const override { return SI; }
    int PageSeasonMode() const override { return SeasonMode; }
    bool PageUseSeasons() const override { return UseSeasons; }
    bool PageWetBulb() const override { return WB_DB; }
    bool PageEU() const override { return EU; }
    bool PageHCLASS() const override { return HCLASS; }
    const TDatenREK& PageRecord() const override {
        return Daten ? *Daten : PageOwner::PageRecord();
    }
    bool PagePrintOfferHeader() const override { return PrintHeader; }
    std::array<std::string, 8> PageOfferHeader() const override { return Header; }
    std::vector<std::string> PageNotesDataSheet() const override { return NotesDataSheet; }
    std::vector<std::string> PageNotesChart() const override { return NotesChart; }

    /// Sets the product title of the logo strip (both labels) and places it.
    void SetTitle(const QString& title);

    /// The window's menu item of this object name, or nullptr.
    QAction* MenuItem(const QString& name) const;

    // State of the window.
    std::unique_ptr<TIniDatei> Settings;    ///< created by the product window
    std::unique_ptr<TDatenREK> Daten;       ///< heating or only case
    std::unique_ptr<TDatenREK> DatenSommer; ///< cooling case
    bool SI = true;                         ///< SI units
    bool PsychroChart = false;              ///< psychrometric chart instead of Mollier
    double pbar = 1013;                     ///< site air pressure, hPa
    uint8_t AirQuant = 0;                   ///< air-quantity mode
    uint8_t AirState = 0;                   ///< humidity mode
    uint8_t SeasonMode = 1;                 ///< 1 one case, 2 heating and cooling
    bool UseSeasons = false;                ///< heating and cooling inputs side by side
    uint8_t VolumeReference = 0;            ///< 0 inlet, 1 outlet
    bool EU = false;                        ///< effectiveness per ASHRAE 84 / AHRI 1060
    bool TotalEff = false;
    bool HCLASS = true;                      ///< show the EN 13053 energy class
    bool UseFrostCheck = true;               ///< frost limit and warning after every calculation
    bool WB_DB = false;                      ///< wet bulb on the data sheet
    bool PrintHeader = false;                ///< print the offer header
    std::array<std::string, 8> Header;       ///< offer header lines (UTF-8)
    std::vector<std::string> NotesDataSheet; ///< data-sheet notes (UTF-8)
    std::vector<std::string> NotesChart;     ///< chart notes (UTF-8)
    PageList DataSheetPages, ChartPages, DescriptionPages;

    // Controls.
    QMenuBar* MainMenu1;
    QFrame* Panel_Logo;
    QLabel* Image_Logo;
    QLabel* Image_Logo_R;
    QLabel* L_Titel;
    QLabel* L_Titel_S;
    QStatusBar* StatusBar1;
    QWidget* Client; ///< the area below the logo strip where product windows put their controls

protected:
    void closeEvent(QCloseEvent* event) override;

    /// Runs a command; an error it raises is shown in the message dialog
    /// with the error icon, and the program goes on.
    void RunCommand(const std::function<void()>& command);

private:
    void BuildMenus();
    QAction* AddItem(QMenu* menu, const char* name);
    void SetMenuCaptions();
    void PlaceTitle();
    // Shows in the status bar that the settings file could not be read and
    // is not written, and where it is; nothing when it could be read.
    void ShowSettingsProblem();

    std::map<QString, QAction*> items_;
    QActionGroup* languages_ = nullptr;
    std::map<QAction*, int> languageOf_;
    TFormInfo* info_ = nullptr;
    QLabel* statusPanel_ = nullptr; ///< the status bar's first panel
    bool destroyed_ = false;
    /// The settings file existed at start but could not be read: the window
    /// runs on defaults and never writes the file.
    bool settingsUnreadable_ = false;
};

/// The product line; it selects the line's pictures (3000 + k).
inline int ProductLine = 3;

/// Runs the program's start-up: the version text, the start language, the
/// splash for splashMs milliseconds, then creates the main window through
/// `create`, runs FormCreate and shows it. Returns the window (owned by the
/// caller); the caller runs the event loop.
std::unique_ptr<TFormBasis> StartProgram(const std::function<std::unique_ptr<TFormBasis>()>& create,
                                         int splashMs = 2000);

} // namespace tavro
