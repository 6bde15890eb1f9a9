// Writing recorded pages into a PDF file, and handing the file to the
// desktop's viewer.

#include "output/pdf_export.h"

#include "output/pdf_canvas.h"
#include "output/pdf_file.h"
#include "output/recording.h"

#include <QDesktopServices>
#include <QUrl>

#include <mutex>

namespace tavro {

namespace {

std::mutex openerMutex;
DocumentOpener opener;

} // namespace

void WritePdf(const std::string& path, const std::vector<const Recording*>& pages,
              const PdfDocumentInfo& info) {
    const std::string where = "The PDF file \"" + path + "\" could not be written: ";
    if (path.empty()) throw Error("A PDF file cannot be written without a name.");
    if (pages.empty()) throw Error(where + "there are no pages (a PDF needs at least one)");
    for (const Recording* page : pages) {
        if (page == nullptr) throw Error(where + "a page is missing");
    }
    try {
        PdfDocument doc;
        const HPDF_Doc handle = doc.Handle();
        if (!info.author.empty()) {
            doc.Check(HPDF_SetInfoAttr(handle, HPDF_INFO_AUTHOR, info.author.c_str()),
                      "setting the author");
        }
        doc.Check(HPDF_SetPageLayout(handle, HPDF_PAGE_LAYOUT_SINGLE), "setting the page layout");
        doc.Check(HPDF_SetViewerPreference(handle, HPDF_FIT_WINDOW), "setting the viewer");
        for (const Recording* page : pages) {
            TPdfCanvas canvas(doc, doc.AddA4Page());
            // The whole A4 sheet, 210 × 297 mm, in page units.
            page->Play(canvas, QRect(0, 0, 2100, 2970));
        }
        doc.Check(HPDF_OK, "ending the pages");
        ReplaceFile(path, doc.Save());
    } catch (const Error& e) {
        throw Error(where + e.what() + ". An existing file of that name is unchanged.");
    }
}

bool OpenDocument(const QString& path) {
    DocumentOpener open;
    {
        const std::lock_guard<std::mutex> lock(openerMutex);
        open = opener;
    }
    try {
        return open ? open(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    } catch (...) {
        // The file has been written either way; the caller says where.
        return false;
    }
}

void SetDocumentOpener(DocumentOpener replacement) {
    const std::lock_guard<std::mutex> lock(openerMutex);
    opener = std::move(replacement);
}

} // namespace tavro
