#pragma once

// What a page reads from the main window: flags, the primary record, the
// result tables as shown, label texts, the offer header and the notes.
// The main window levels implement it; every getter has an empty default
// so that a window without products still draws a framed page.

#include "physics/records.h"

#include <QString>

#include <array>
#include <set>
#include <string>
#include <vector>

namespace tavro {

class Recording;

/// The result tables of the main window.
enum class ResultTable { Inlet, VelocityPressureDrop, Outlet, ProcessData };

/// Labels of the main window that pages print.
enum class PageLabel {
    Hint,          ///< LB_Hinweis
    OutsideAir,    ///< LB_Zuluft
    ReturnAir,     ///< LB_Abluft
    Heating,       ///< Edit_Winter
    Cooling,       ///< Edit_Sommer
    Designation,   ///< Label_Bauform
    UnitsInSeries, ///< Label_AnzahlReihe
    Weight,        ///< L_Gewicht
};

class PageOwner {
public:
    virtual ~PageOwner() = default;

    virtual QString PageCaption() const { return {}; }
    virtual bool PageSI() const { return true; }
    virtual int PageSeasonMode() const { return 1; }
    virtual bool PageUseSeasons() const { return false; }
    virtual bool PageWetBulb() const { return false; }
    virtual bool PageEU() const { return false; }
    virtual bool PageHCLASS() const { return true; }
    virtual std::set<int> PageWarnings() const { return {}; }
    /// The frost line of the data sheet (the frost limit, or the frost
    /// warning with its preheat and bypass share); empty: no line.
    virtual QString PageFrostLine() const { return {}; }
    virtual int PageDesign() const { return 10; }
    /// The primary record; a default one when the window has none.
    virtual const TDatenREK& PageRecord() const;
    virtual QString PageCell(ResultTable, int /*col*/, int /*row*/) const { return {}; }
    virtual QString PageLabelText(PageLabel) const { return {}; }
    virtual bool PagePrintOfferHeader() const { return false; }
    virtual std::array<std::string, 8> PageOfferHeader() const { return {}; }
    virtual std::vector<std::string> PageNotesDataSheet() const { return {}; }
    virtual std::vector<std::string> PageNotesChart() const { return {}; }
    /// The exchanger sketch picture; nullptr when there is none.
    virtual const Recording* PageSketch() const { return nullptr; }
    /// The chart's grid layer (axes, curves, labels) and process layer
    /// (the air-state lines); nullptr when there is no chart.
    virtual const Recording* PageChartGrid() const { return nullptr; }
    virtual const Recording* PageChartProcess() const { return nullptr; }

    /// Shows a one-line message in the owner's status bar until the next
    /// one. The default uses the status bar of the window that implements
    /// the owner and does nothing when there is none.
    virtual void PageStatusMessage(const QString& text);
};

} // namespace tavro
