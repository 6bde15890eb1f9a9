// The main window's commands, its settings and the program's start-up.

#include "output/notes_dialog.h"
#include "output/offer_header_dialog.h"
#include "shell/qt/fonts.h"
#include "shell/qt/version.h"
#include "shell/settings/shell_settings.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "shell/windows/contact.h"
#include "shell/windows/info_window.h"
#include "shell/windows/main_window.h"
#include "shell/windows/options_dialog.h"
#include "shell/windows/splash.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QLocale>
#include <QPointer>

namespace tavro {

namespace {

QPointer<TFormAngebot> offerDialog;

} // namespace

void TFormBasis::ReadSettings() {
    if (!Settings) return;
    ShellReadContext ctx;
    ctx.decimalSeparator = DecimalSeparator;
    ctx.thousandSeparator = ThousandSeparator;
    ctx.haveRecord = Daten != nullptr;
    ctx.today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    const ShellSettings s = ReadShellSettings(*Settings, ProductSection, ctx);

    SetUnitSystem(s.SI);
    EU = s.EU;
    TotalEff = s.TotalEff;
    HCLASS = s.HCLASS;
    UseFrostCheck = s.FrostCheck;
    WB_DB = s.WB_DB;
    PsychroChart = !s.Mollier;
    DecimalSeparator = s.DecimalSeparator;
    ThousandSeparator = s.ThousandSeparator;
    if (Daten) {
        Daten->pbar = s.pbar;
        Daten->AirQuant = static_cast<uint8_t>(s.AirQuant);
        Daten->AirState = static_cast<uint8_t>(s.AirState);
        pbar = s.pbar;
        AirQuant = Daten->AirQuant;
        AirState = Daten->AirState;
        SetSeasons(s.Seasons);
        if (DatenSommer) {
            DatenSommer->pbar = Daten->pbar;
            DatenSommer->AirQuant = Daten->AirQuant;
            DatenSommer->AirState = Daten->AirState;
        }
    }
    PrintHeader = s.PrintHeader;
    Header = s.Header;
    NotesDataSheet.assign(s.NotesData.begin(), s.NotesData.end());
    NotesChart.assign(s.NotesChart.begin(), s.NotesChart.end());
}

void TFormBasis::WriteSettings() {
    if (!Settings) return;
    ShellSettings s;
    s.SI = SI;
    s.EU = EU;
    s.TotalEff = TotalEff;
    s.WB_DB = WB_DB;
    s.HCLASS = HCLASS;
    s.FrostCheck = UseFrostCheck;
    s.Seasons = UseSeasons;
    s.Mollier = !PsychroChart;
    s.DecimalSeparator = DecimalSeparator;
    s.ThousandSeparator = ThousandSeparator;
    if (Daten) {
        s.pbar = Daten->pbar;
        s.AirQuant = Daten->AirQuant;
        s.AirState = Daten->AirState;
    }
    s.PrintHeader = PrintHeader;
    s.Header = Header;
    for (size_t i = 0; i < 3; ++i) {
        s.NotesData[i] = i < NotesDataSheet.size() ? NotesDataSheet[i] : std::string();
        s.NotesChart[i] = i < NotesChart.size() ? NotesChart[i] : std::string();
    }
    WriteShellSettings(*Settings, ProductSection, s, Daten != nullptr);
}

void TFormBasis::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    // A file that could not be read at start is kept as it is, even if it
    // has become readable since: this session ran on defaults.
    if (!Settings || settingsUnreadable_) return;
    // Every key of every level goes into one replacement of the file.
    Settings->BeginBatch();
    try {
        WriteSettings();
    } catch (...) {
    }
    try {
        Settings->CommitBatch();
    } catch (...) {
    }
}

void TFormBasis::closeEvent(QCloseEvent* event) {
    // Closing asks nothing; the settings are written on the way out.
    FormDestroy();
    TVkForm::closeEvent(event);
}

void TFormBasis::Menu_Datei_BeendenClick() {
    close();
}

void TFormBasis::Menu_Edit_KopfzeileClick() {
    if (!offerDialog) offerDialog = new TFormAngebot(this);
    offerDialog->Edit(PrintHeader, Header);
}

void TFormBasis::Menu_Edit_BemClick(QAction* sender) {
    const bool chart = sender == MenuItem(QStringLiteral("Menu_Edit_Bem_Diagramm"));
    EditNotes(this, chart ? NotesChart : NotesDataSheet);
}

void TFormBasis::ShowDataSheet() {
    hide();
    RunPreview(this, *this, DataSheetPages, [this] { EditNotes(this, NotesDataSheet); });
    show();
}

void TFormBasis::ShowProductDescription() {
    hide();
    RunPreview(this, *this, DescriptionPages, {});
    show();
}

void TFormBasis::Menu_Ansicht_DatenblattClick() {
    ShowDataSheet();
}
void TFormBasis::Menu_Ansicht_DiagrammClick() {
    ShowDiagram(true, true);
}
void TFormBasis::Menu_Ansicht_ProduktbeschreibungClick() {
    ShowProductDescription();
}

void TFormBasis::Menu_Optionen_EinstellungenClick() {
    OptionsValues v;
    v.SI = SI;
    v.pbar = pbar;
    v.AirState = AirState;
    v.AirQuant = AirQuant;
    v.DecimalSeparator = std::string(1, DecimalSeparator);
    v.ThousandSeparator = std::string(1, ThousandSeparator);
    v.USEffectiveness = EU;
    v.TotalEff = EU && TotalEff;
    v.WetBulbOnDataSheet = WB_DB;
    v.EnergyClass = HCLASS;
    v.FrostCheck = UseFrostCheck;
    if (!EditOptions(this, v)) return;
    if (v.pbar != pbar) {
        pbar = v.pbar;
        SetResultsValid(false);
    }
    SetUnitSystem(v.SI);
    SetHumidityMode(v.AirState);
    SetAirQuantityMode(v.AirQuant);
    // An empty separator field has no character to take: the separator
    // stays. So does one that is no single-byte character.
    if (v.DecimalSeparator.size() == 1) DecimalSeparator = v.DecimalSeparator.front();
    if (v.ThousandSeparator.size() == 1) ThousandSeparator = v.ThousandSeparator.front();
    EU = v.USEffectiveness;
    TotalEff = v.TotalEff;
    WB_DB = v.WetBulbOnDataSheet;
    HCLASS = v.EnergyClass;
    UseFrostCheck = v.FrostCheck;
    OptionsApplied();
}

void TFormBasis::Menu_Optionen_UseSeasonsClick() {
    SetSeasons(!UseSeasons);
}

void TFormBasis::Menu_Hilfe_InfoClick() {
    if (!info_) info_ = new TFormInfo(this);
    info_->SetMainCaption(PageCaption());
    info_->ShowModal();
}

void TFormBasis::Menu_Hilfe_HomepageClick() {
    OpenWebSite();
}

void TFormBasis::Menu_Hilfe_EMailClick() {
    OpenMail(PageCaption());
}

void TFormBasis::Button_BerechnenClick() {
    RunCalculation();
}

std::unique_ptr<TFormBasis> StartProgram(const std::function<std::unique_ptr<TFormBasis>()>& create,
                                         int splashMs) {
    CreateSharedFonts();
    InitVersionText();
    ProductLine = 3;
    CurrentLanguage = static_cast<uint8_t>(ReadStartLanguage(
        std::string(kSettingsFileName), std::string(kGlobalSection), std::string(kLanguageKey)));
    ApplyLanguageFonts();
    if (splashMs > 0) ShowSplash(splashMs);
    std::unique_ptr<TFormBasis> window = create();
    window->FormCreate();
    window->CentreOnScreen();
    window->show();
    return window;
}

} // namespace tavro
