#include "output/page_preview.h"

#include "output/page_preview_window.h"
#include "output/painter_canvas.h"
#include "physics/numeric/rounding.h"

#include <QPointer>

#include <algorithm>
#include <array>

namespace tavro {

namespace {

constexpr std::array<int, kZoomToWidth> kFixedZooms = {25, 50, 75, 100, 125, 150, 175, 200, 300};

// A computed zoom never goes below this.
constexpr int kLeastZoom = 10;

// The fit of `size` printer pixels into `client` screen pixels less the
// margins, in percent of the zoom at which both grids are alike (350).
int Fit(int client, int size) {
    if (size <= 0) return kLeastZoom;
    return std::max(kLeastZoom, RoundHalfEven(double(client - 40) / size * 350));
}

QPointer<TFormSeite>& Preview() {
    static QPointer<TFormSeite> preview;
    return preview;
}

} // namespace

int FixedZoom(int entry) {
    return kFixedZooms.at(static_cast<size_t>(entry));
}

int ZoomToWidth(int clientWidth, int boxWidth) {
    return Fit(clientWidth, boxWidth);
}

int ZoomToFit(QSize client, QSize box) {
    return std::min(Fit(client.width(), box.width()), Fit(client.height(), box.height()));
}

QSize PreviewContentSize(int zoom, QSize box) {
    return {PreviewExtent(zoom, box.width()) + 40, PreviewExtent(zoom, box.height()) + 40};
}

void PrintPageRange(QPainter& painter, PageOwner& owner, const PageList& pages, int first, int last,
                    SheetFit fit, const std::function<void()>& newPage) {
    first = std::max(first, 1);
    last = std::min(last, static_cast<int>(pages.size()));
    for (int page = first; page <= last; ++page) {
        painter.save();
        MapPage(painter, fit.S, fit.P);
        {
            TPainterCanvas canvas(painter);
            pages[static_cast<size_t>(page - 1)](owner, canvas, false);
        }
        painter.restore();
        if (page < last) newPage();
    }
}

void DruckVorschau(QWidget* ownerWindow, PageOwner& owner, const PageList& pages,
                   std::function<void()> editAction) {
    QPointer<TFormSeite>& preview = Preview();
    if (!preview) {
        // A window of its own (with a taskbar entry: its owner is hidden
        // meanwhile), freed together with the window it was first made for.
        preview = new TFormSeite;
        if (ownerWindow) {
            TFormSeite* form = preview.data();
            QObject::connect(ownerWindow, &QObject::destroyed, form, [form] { delete form; });
        }
    }
    preview->Open(ownerWindow, owner, pages, std::move(editAction));
}

void InstallPagePreview() {
    SetPreviewRunner([](QWidget* ownerWindow, PageOwner& owner, const PageList& pages,
                        std::function<void()> editAction) {
        DruckVorschau(ownerWindow, owner, pages, std::move(editAction));
    });
}

TFormSeite* PagePreview() {
    return Preview().data();
}

} // namespace tavro
