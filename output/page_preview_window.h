#pragma once

// The page preview window: the tool strip, the zoomed page in a scroll box,
// page navigation, printing and the PDF export of the page list shown.

#include "controls/vk_form.h"
#include "output/page_list.h"
#include "output/page_metrics.h"
#include "output/page_view.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QPainter;
class QPrinter;
class QToolButton;

namespace tavro {

class PageOwner;

/// The printable page the preview fits when no printer is installed: A4 at
/// 600 dpi.
inline constexpr QSize kNoPrinterPage{4960, 7016};

/// Number of entries of the zoom list: nine fixed zooms, then "Zoom to
/// width" (9) and "Zoom to fit" (10).
inline constexpr int kZoomEntries = 11;
inline constexpr int kZoomToWidth = 9;
inline constexpr int kZoomToFit = 10;

/// Whether the system has a printer installed; without one the preview
/// fits kNoPrinterPage and printing can only go into a file.
bool PrinterInstalled();

/// The folder the PDF export's save dialog starts in: the folder of the
/// last export, kept in the settings file (section "GLOBAL", key
/// "PdfFolder"), while it exists; else the user's documents folder, else
/// the home folder.
QString PdfStartFolder();

/// Keeps the folder of `file` as the start of the next export. A settings
/// file that cannot be written is ignored.
void RememberPdfFolder(const QString& file);

/// The zoom of a fixed entry 0 to 8, in percent.
int FixedZoom(int entry);

/// The zoom at which a paint box of boxWidth printer pixels fits a client
/// width, 20 pixels kept free on either side; never below 10.
int ZoomToWidth(int clientWidth, int boxWidth);

/// The smaller of the width and the height fit; never below 10.
int ZoomToFit(QSize client, QSize box);

/// The extent of the zoomed page with its margins: round(zoom ÷ 350 ×
/// size) + 40 in either direction, the scroll range of the scroll box.
QSize PreviewContentSize(int zoom, QSize box);

/// Draws pages first to last (1-based, inclusive) of `pages` on `painter`,
/// each mapped with window extent S × S onto P × P device pixels at the
/// origin, with forPdf false; newPage runs between two pages.
void PrintPageRange(QPainter& painter, PageOwner& owner, const PageList& pages, int first, int last,
                    SheetFit fit, const std::function<void()>& newPage);

class TFormSeite : public TVkForm {
    Q_OBJECT

public:
    explicit TFormSeite(QWidget* parent = nullptr);
    ~TFormSeite() override;

    /// Shows `pages` for `ownerWindow` (icon and caption) and `owner` (the
    /// source of every page) modally, from page 1; editAction, when set, is
    /// what Button_Edit runs. Returns the modal result.
    int Open(QWidget* ownerWindow, PageOwner& owner, const PageList& pages,
             std::function<void()> editAction);

    /// Sets the hints and the texts of the zoom entries 9 and 10.
    void SetCaptions() override;

    /// Recomputes the fit from the current printer, sizes the paint box to
    /// the zoomed page and repaints it.
    void LayOut();
    /// Enables the navigation buttons and sets the page label.
    void RefreshPageControls();
    /// The client size of the scroll box that the zoom entries 9 and 10
    /// fit: its viewport without scroll bars, less the vertical bar's width
    /// where the page at the width fit is taller than the viewport.
    QSize ZoomClientSize() const;

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormResize();
    /// The window's key preview; returns whether the key was used.
    bool FormKeyDown(QKeyEvent* event);
    void Combo_ZoomChange();
    void PaintBox1Paint();
    void Button_CloseClick();
    void Button_PrintClick();
    void Button_PDFClick();
    void Button_EditClick();
    void Button_PreviousClick();
    void Button_NextClick();
    void Button_FirstClick();
    void Button_LastClick();
    void ESC1Click();

    /// The printer the preview fits and prints to: high resolution, A4,
    /// portrait until the print dialog changes it.
    QPrinter& Printer();

    /// Replaces the print dialog: called with the printer and the page
    /// count, it returns whether to print and leaves the range (and, when it
    /// likes, a PDF output file) on the printer as the dialog would.
    /// nullptr restores the dialog.
    using PrintDialogHook = std::function<bool(QPrinter& printer, int pageCount)>;
    static void SetPrintDialogHook(PrintDialogHook hook);

    /// Replaces the save dialog of the PDF export: called with the window
    /// and the proposed name, it returns the chosen path or an empty string
    /// for cancel. nullptr restores the dialog.
    using SaveDialogHook = std::function<QString(QWidget* parent, const QString& proposed)>;
    static void SetSaveDialogHook(SaveDialogHook hook);

    // State.
    PageOwner* Owner = nullptr;
    PageList Pages;
    int PageCount = 0;
    int CurrentPage = 0;
    int FirstPage = 1, LastPage = 0; ///< range of the next print or PDF run
    int Zoom = 100;                  ///< percent, never below 10
    int FitS = kSheetWidth;          ///< window extent of the fit
    int FitP = kNoPrinterPage.width();
    QSize PaintBoxSize = kNoPrinterPage; ///< the printable page in printer pixels
    int SheetWidth = kSheetWidth;
    int SheetHeight = kSheetHeight;
    std::function<void()> EditAction;
    bool FirstActivation = true;

    // Controls.
    QFrame* Panel1;
    QToolButton* Button_Close;
    QToolButton* Button_Print;
    QToolButton* Button_PDF;
    QToolButton* Button_Edit;
    QComboBox* Combo_Zoom;
    QLabel* L_Seitenzahl;
    QToolButton* Button_Previous;
    QToolButton* Button_Next;
    QToolButton* Button_First;
    QToolButton* Button_Last;
    TScrollBox* ScrollBox1;
    TPaintBox* PaintBox1;
    QAction* ESC1;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void UpdatePaintBoxSize();
    void PrintRange(int first, int last);
    void ShowPage(int page);

    std::unique_ptr<QPrinter> printer_;
};

} // namespace tavro
