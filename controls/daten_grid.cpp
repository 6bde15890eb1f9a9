#include "controls/daten_grid.h"

#include <QPainter>

#include <algorithm>
#include <numeric>

namespace tavro {

namespace {

constexpr int kNewColumnWidth = 64;
constexpr int kRowHeight = 20;
constexpr int kRows = 5;
// The grid's width as the windows place it; its default columns fill 361
// pixels of it, the rest shows the background.
constexpr int kDefaultWidth = 368;
constexpr int kTextInset = 2; // from the side the text is aligned to
constexpr int kTextTop = 4;   // from the cell's top

bool IsHeatRecoveryClass(const QString& text) {
    return text.size() == 2 && text[0] == QLatin1Char('H') && text[1] >= QLatin1Char('1') &&
           text[1] <= QLatin1Char('6');
}

} // namespace

TDatenGrid::TDatenGrid(QWidget* parent)
    : QWidget(parent), colWidths_{177, 70, 3, 70, 3, 38}, rowHeights_(kRows, kRowHeight),
      defaultRowHeight_(kRowHeight), cells_(kRows, std::vector<QString>(colWidths_.size())) {
    // Like a disabled grid it takes no focus and no clicks, but it keeps
    // the enabled look.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDefaultWidth, CellsSize().height());
}

TDatenGrid::CellLook TDatenGrid::LookOf(const QString& text) {
    if (text.isEmpty()) return {};
    const QChar first = text[0];
    if (first == QLatin1Char('#')) return {CellAlign::Right, text.mid(1)};
    if (first == QLatin1Char('+') || first == QLatin1Char('-') ||
        (first >= QLatin1Char('0') && first <= QLatin1Char('9')) || IsHeatRecoveryClass(text)) {
        return {CellAlign::Right, text};
    }
    return {CellAlign::Left, text};
}

void TDatenGrid::SetColCount(int count) {
    count = std::max(0, count);
    colWidths_.resize(static_cast<size_t>(count), kNewColumnWidth);
    for (auto& row : cells_)
        row.resize(static_cast<size_t>(count));
    Resized();
}

void TDatenGrid::SetRowCount(int count) {
    count = std::max(0, count);
    rowHeights_.resize(static_cast<size_t>(count), defaultRowHeight_);
    cells_.resize(static_cast<size_t>(count), std::vector<QString>(colWidths_.size()));
    Resized();
}

int TDatenGrid::ColWidths(int col) const {
    return col >= 0 && col < ColCount() ? colWidths_[static_cast<size_t>(col)] : 0;
}

void TDatenGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= ColCount()) return;
    colWidths_[static_cast<size_t>(col)] = std::max(0, width);
    Resized();
}

int TDatenGrid::RowHeights(int row) const {
    return row >= 0 && row < RowCount() ? rowHeights_[static_cast<size_t>(row)] : 0;
}

void TDatenGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= RowCount()) return;
    rowHeights_[static_cast<size_t>(row)] = std::max(0, height);
    Resized();
}

void TDatenGrid::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(0, height);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    Resized();
}

QString TDatenGrid::Cell(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void TDatenGrid::SetCell(int col, int row, const QString& text) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
    QString& cell = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
    if (cell == text) return;
    cell = text;
    update(CellRect(col, row));
}

void TDatenGrid::Clear() {
    for (auto& row : cells_)
        std::fill(row.begin(), row.end(), QString());
    update();
}

QRect TDatenGrid::CellRect(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
    const int x = std::accumulate(colWidths_.begin(), colWidths_.begin() + col, 0);
    const int y = std::accumulate(rowHeights_.begin(), rowHeights_.begin() + row, 0);
    return QRect(x, y, colWidths_[static_cast<size_t>(col)], rowHeights_[static_cast<size_t>(row)]);
}

QSize TDatenGrid::CellsSize() const {
    return QSize(std::accumulate(colWidths_.begin(), colWidths_.end(), 0),
                 std::accumulate(rowHeights_.begin(), rowHeights_.end(), 0));
}

void TDatenGrid::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TDatenGrid::Resized() {
    updateGeometry();
    update();
}

void TDatenGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    p.setFont(font());
    p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    for (int row = 0; row < RowCount(); ++row) {
        for (int col = 0; col < ColCount(); ++col) {
            const CellLook look =
                LookOf(cells_[static_cast<size_t>(row)][static_cast<size_t>(col)]);
            if (look.align == CellAlign::None || look.shown.isEmpty()) continue;
            const QRect cell = CellRect(col, row);
            if (cell.isEmpty()) continue;
            // The text stays inside its cell, like the platform's clipped
            // cell text.
            p.save();
            p.setClipRect(cell);
            const QRect text = cell.adjusted(kTextInset, kTextTop, -kTextInset, 0);
            const int align = look.align == CellAlign::Right ? Qt::AlignRight : Qt::AlignLeft;
            p.drawText(text, align | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                       look.shown);
            p.restore();
        }
    }
}

} // namespace tavro
