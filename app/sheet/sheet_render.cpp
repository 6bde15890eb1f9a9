#include "app/sheet/sheet_render.h"

#include "chart/selection_page_owner.h"
#include "output/chart_page.h"
#include "output/data_sheet_page.h"
#include "output/description_page.h"
#include "output/painter_canvas.h"
#include "output/pdf_export.h"
#include "product/model/selection_document.h"
#include "product/model/shown_labels.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cmath>
#include <filesystem>
#include <ostream>

namespace tavro::sheet {

namespace {

constexpr double kMmPerInch = 25.4;

PageProc ProcOf(SheetPage page) {
    switch (page) {
    case SheetPage::DataSheet:
        return DataSheetPage;
    case SheetPage::Chart:
        return ChartPage;
    case SheetPage::Description:
        return DescriptionPage;
    }
    return DataSheetPage;
}

QImage PageImage(const Recording& page, int dpi) {
    QImage image(PagePixelsWide(dpi), PagePixelsHigh(dpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    TPainterCanvas canvas(painter);
    page.Play(canvas, image.rect());
    return image;
}

// Whether `path` names an existing file: a file written over must not be
// removed when a later step fails.
bool Exists(const std::string& path) {
    return QFile::exists(QFile::decodeName(path.c_str()));
}

} // namespace

SelectionState StateToRender(SelectionState s, const SheetArguments& args) {
    if (args.language) s.show.language = *args.language;
    if (args.si) s.show.si = *args.si;
    s.labels = ShownLabelsOf(s);
    return s;
}

std::string PngFileName(const std::string& prefix, SheetPage page) {
    return prefix + "-" + PageName(page) + ".png";
}

int PagePixelsWide(int dpi) {
    return static_cast<int>(std::lround(210 / kMmPerInch * dpi));
}

int PagePixelsHigh(int dpi) {
    return static_cast<int>(std::lround(297 / kMmPerInch * dpi));
}

int RenderSheet(const SheetArguments& args, std::ostream& err) {
    SelectionState state;
    try {
        state = LoadSelectionDocument(args.document).state;
    } catch (const DocumentError& e) {
        err << "tavro-sheet: " << e.what() << "\n";
        return kExitBadInput;
    }
    // An output named like the document (a slip of the fingers) would
    // replace the selection by a picture of it.
    std::vector<std::string> outputs;
    if (!args.pdf.empty()) outputs.push_back(args.pdf);
    for (SheetPage page : args.pages) {
        if (!args.pngPrefix.empty()) outputs.push_back(PngFileName(args.pngPrefix, page));
    }
    for (const std::string& out : outputs) {
        std::error_code ec;
        if (std::filesystem::equivalent(out, args.document, ec)) {
            err << "tavro-sheet: " << out << ": is the document itself; it is not overwritten\n";
            return kExitBadInput;
        }
    }
    SelectionPageOwner owner(StateToRender(std::move(state), args));
    PageList pages;
    for (SheetPage page : args.pages)
        pages.push_back(ProcOf(page));

    // Every page is drawn before anything is written.
    std::vector<QImage> images;
    if (!args.pngPrefix.empty()) {
        for (const Recording& page : RecordPages(owner, pages, false))
            images.push_back(PageImage(page, args.dpi));
    }
    std::vector<Recording> pdfPages;
    if (!args.pdf.empty()) pdfPages = RecordPages(owner, pages, true);

    // PNG files first, each complete or not at all; the new ones go again
    // when a later file fails.
    std::vector<std::string> created;
    const auto undo = [&] {
        for (const std::string& path : created)
            QFile::remove(QFile::decodeName(path.c_str()));
    };
    for (size_t i = 0; i < images.size(); ++i) {
        const std::string path = PngFileName(args.pngPrefix, args.pages[i]);
        const bool existed = Exists(path);
        QSaveFile file(QFile::decodeName(path.c_str()));
        if (!file.open(QIODevice::WriteOnly) || !images[i].save(&file, "PNG") || !file.commit()) {
            err << "tavro-sheet: " << path << ": cannot be written ("
                << file.errorString().toStdString() << ")\n";
            undo();
            return kExitWriteFailed;
        }
        if (!existed) created.push_back(path);
    }
    if (!pdfPages.empty()) {
        std::vector<const Recording*> recorded;
        for (const Recording& page : pdfPages)
            recorded.push_back(&page);
        try {
            WritePdf(args.pdf, recorded);
        } catch (const std::exception& e) {
            err << "tavro-sheet: " << e.what() << "\n";
            undo();
            return kExitWriteFailed;
        }
    }
    return kExitOk;
}

} // namespace tavro::sheet
