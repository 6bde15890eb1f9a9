#include "output/page_preview_window.h"

#include "controls/message_dialog.h"
#include "output/page_owner.h"
#include "output/painter_canvas.h"
#include "output/pdf_export.h"
#include "output/recording.h"
#include "shell/qt/qt_text.h"
#include "shell/settings/shell_settings.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

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

// The settings key of the folder of the last export.
constexpr std::string_view kPdfFolderKey = "PdfFolder";

// Texts of the export's messages, until the text table has them.
constexpr int kPdfNotWrittenText = 390;
constexpr int kNoViewerText = 391;

QString TextOr(int n, const QString& fallback) {
    const QString text = TextOf(n);
    return text.isEmpty() ? fallback : text;
}

QString AskPdfFileName(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent);
    dialog.setDirectory(PdfStartFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setNameFilter(QStringLiteral("Adobe PDF (*.pdf)"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    // Qt's own dialog speaks the program's language; a desktop's native one
    // would follow the session's.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
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

QString PdfStartFolder() {
    try {
        const TIniDatei ini(kSettingsFileName, kSettingsFolder);
        const QString last = QString::fromStdString(
            ini.ReadString(kGlobalSection, kPdfFolderKey, std::string_view()));
        if (!last.isEmpty() && QFileInfo(last).isAbsolute() && QFileInfo(last).isDir()) return last;
    } catch (...) {
        // An unreadable settings file gives the default.
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void RememberPdfFolder(const QString& file) {
    try {
        TIniDatei ini(kSettingsFileName, kSettingsFolder);
        ini.WriteString(kGlobalSection, kPdfFolderKey,
                        QFileInfo(file).absolutePath().toStdString());
    } catch (...) {
        // Errors while writing settings are discarded; the next export
        // starts in the documents folder then.
    }
}

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
        // The engine's message names the file and the cause in English;
        // the user's language leads where the text table has the sentence.
        const QString cause = QString::fromUtf8(error.what());
        const QString text = TextOf(kPdfNotWrittenText);
        ShowMessageDialog(text.isEmpty() ? cause : text + QStringLiteral("\n\n") + cause,
                          TextOf(104), mkError);
        return;
    }
    RememberPdfFolder(path);
    if (!OpenDocument(path)) {
        Owner->PageStatusMessage(
            TextOr(kNoViewerText,
                   QStringLiteral("No PDF viewer could be started. The PDF file is saved as:")) +
            u' ' + QDir::toNativeSeparators(path));
    }
}

} // namespace tavro
