#pragma once

// The chart window: the moist-air chart of the current calculation in a
// scrollable, zoomable paint box, with the chart type, the two ranges and
// the zoom to choose, and the page preview of the chart page.

#include "chart/chart_data.h"
#include "controls/vk_form.h"
#include "output/page_view.h"
#include "output/recording.h"

#include <QSize>

#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QMenu;
class QToolButton;

namespace tavro {

/// Number of zoom entries: 25, 50, 75, 100, 150, 200 % and Auto (6).
inline constexpr int kChartZoomEntries = 7;
inline constexpr int kChartZoomAuto = 6;

/// The zoom (percent) of a fixed entry 0 to 5; entries outside give 100.
int ChartFixedZoom(int entry);

/// The Auto zoom: the largest whole percentage at which the whole
/// 600 × 800 layer fits into `client` (pixels), never below 10 %, so that a
/// tiny or collapsed window still shows a readable part that can be
/// scrolled to.
int ChartAutoZoom(QSize client);

class TFormMollier : public TVkForm {
    Q_OBJECT

public:
    /// Chart type Mollier, ranges (1, 0), zoom Auto, SI units, 1013.25 hPa,
    /// no process lines; both layers recorded.
    explicit TFormMollier(QWidget* parent = nullptr);
    ~TFormMollier() override;

    /// Stores the pressure (hPa), the unit system and the process lines;
    /// when the unit system changed, rebuilds the range combo items keeping
    /// the selected indices. Records both layers again and repaints. A
    /// pressure the chart cannot be drawn for leaves the layers empty (or
    /// partly drawn); it never throws.
    void SetChart(double pressureHpa, bool si, std::vector<ChartPolyline> lines);

    /// Selects the temperature and humidity ranges (each clamped to 0 .. 4)
    /// and redraws.
    void SetRanges(int tempIndex, int humIndex);
    int TempRange() const { return tempRange_; }
    int HumRange() const { return humRange_; }

    /// 0 Mollier, 1 Carrier.
    int ChartType = 0;
    /// Sets ChartType (anything but 0 is Carrier, stored as 1), selects its
    /// combo item and redraws.
    void SetChartType(int type);

    /// The recorded layers, 600 × 800 each.
    const Recording& GridLayer() const { return grid_; }
    const Recording& ProcessLayer() const { return process_; }

    /// The settings the layers are recorded for.
    ChartSettings Settings() const;

    /// What Button_Seite runs between hiding and showing the window again
    /// (the page preview of the chart page).
    std::function<void()> PageCommand;

    /// The zoom in effect, percent.
    int ZoomPercent() const { return zoom_; }

    /// Tool tips from the text table; keeps every selection.
    void SetCaptions() override;

    // Handlers.
    void Combo_CarrierChange();
    /// Also the handler of Combo_Temperatur: takes both range indices.
    void Combo_FeuchteChange();
    void Combo_ZoomChange();
    /// Selects zoom entry `entry` (0 .. 6, clamped) and applies it.
    void Zoom(int entry);
    void PaintBox1Paint();
    /// Applies the zoom again (Auto follows the window's size).
    void FormResize();
    void Button_CloseClick();
    /// Hides the window, runs PageCommand when set, shows the window again.
    void Button_SeiteClick();

    // Controls.
    QFrame* Panel1;
    QToolButton* Button_Close;
    QToolButton* Button_Seite;
    QComboBox* Combo_Carrier;
    QComboBox* Combo_Temperatur;
    QComboBox* Combo_Feuchte;
    QComboBox* Combo_Zoom;
    TScrollBox* ScrollBox1;
    TPaintBox* PaintBox1;
    QMenu* PopupMenu1;
    QAction* Zoom25;
    QAction* Zoom50;
    QAction* Zoom75;
    QAction* Zoom100;
    QAction* Zoom150;
    QAction* Zoom200;
    QAction* ZoomAuto;
    QAction* ESC1; ///< Esc closes the window like Button_Close

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FillRangeItems();
    void Redraw();

    double pressure_ = 1013.25;
    bool si_ = true;
    std::vector<ChartPolyline> lines_;
    int tempRange_ = 1;
    int humRange_ = 0;
    int zoom_ = 100;
    Recording grid_;
    Recording process_;
};

} // namespace tavro
