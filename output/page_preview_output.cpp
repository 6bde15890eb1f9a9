#include "output/page_preview_window.h"

#include "controls/message_dialog.h"
#include "output/page_owner.h"
#include "output/painter_canvas.h"
#include "output/pdf_export.h"
#include "output/recording.h"

#include <QFile>
#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

// The preview's output: printing the page list and exporting it as PDF.

namespace tavro {

namespace {

TFormSeite::PrintDialogHook& PrintHook() {
    static TFormSeite::PrintDialogHook hook;
    return hook;
}

TFormSeite::SaveDialogHook& SaveHook() {
    static TFormSeite::SaveDialogHook hook;
    return hook;
}

QString AskPdfFileName(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setNameFilter(QStringLiteral("Adobe PDF (*.pdf)"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

bool AskPrintRange(QWidget* parent, QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Without a printer the dialog can still print into a file.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, !PrinterInstalled());
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

bool PrinterInstalled() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void TFormSeite::SetPrintDialogHook(PrintDialogHook hook) {
    PrintHook() = std::move(hook);
}

void TFormSeite::SetSaveDialogHook(SaveDialogHook hook) {
    SaveHook() = std::move(hook);
}

void TFormSeite::Button_PrintClick() {
    if (!Owner || PageCount == 0) return;
    QPrinter& printer = Printer();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, PageCount);
    const bool accepted =
        PrintHook() ? PrintHook()(printer, PageCount) : AskPrintRange(this, printer, PageCount);
    if (!accepted) return;
    Combo_ZoomChange();
    FirstPage = 1;
    LastPage = PageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        FirstPage = std::clamp(printer.fromPage(), 1, PageCount);
        LastPage = std::clamp(printer.toPage(), FirstPage, PageCount);
    }
    try {
        PrintRange(FirstPage, LastPage);
    } catch (const std::exception& error) {
        ShowExceptionMessage(error);
    }
}

void TFormSeite::PrintRange(int first, int last) {
    QPrinter& printer = Printer();
    printer.setDocName(Owner->PageCaption());
    // The page is fitted to the device that prints it: the preview's fit
    // when a printer prints, the file's own page when the job goes into a
    // file without a printer installed.
    const QSize device = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const SheetFit fit = PrinterInstalled() || device.isEmpty()
                             ? SheetFit{FitS, FitP}
                             : FitSheet(device.width(), device.height());
    QPainter painter;
    if (!painter.begin(&printer)) throw Error("The print job could not be started.");
    try {
        PrintPageRange(painter, *Owner, Pages, first, last, fit, [&printer] { printer.newPage(); });
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    painter.end();
}

void TFormSeite::Button_PDFClick() {
    if (!Owner || PageCount == 0) return;
    FirstPage = 1;
    LastPage = PageCount;
    // The caption is proposed as a file name, not as a path.
    QString proposed = Owner->PageCaption();
    proposed.replace(u'/', u'-');
    const QString path = SaveHook() ? SaveHook()(this, proposed) : AskPdfFileName(this, proposed);
    if (path.isEmpty()) return;
    try {
        std::vector<std::unique_ptr<Recording>> recorded;
        std::vector<const Recording*> pages;
        for (int page = FirstPage; page <= LastPage; ++page) {
            recorded.push_back(std::make_unique<Recording>(QSize(SheetWidth, SheetHeight)));
            {
                // The recording is complete when its canvas is gone.
                TWMFCanvas canvas(*recorded.back());
                Pages[page - 1](*Owner, canvas, true);
            }
            pages.push_back(recorded.back().get());
        }
        WritePdf(QFile::encodeName(path).toStdString(), pages);
    } catch (const std::exception& error) {
        ShowExceptionMessage(error);
        return;
    }
    OpenDocument(path);
}

} // namespace tavro
