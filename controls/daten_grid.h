#pragma once

// The read-only result table of the main window: a grid of strings on a
// silver background without lines, numbers right-aligned, that never takes
// the focus and never selects a cell (it still looks enabled).

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

namespace tavro {

class TDatenGrid : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)

public:
    /// 6 columns of 177, 70, 3, 70, 3 and 38 pixels, 5 rows of 20 pixels,
    /// background RGB(192, 192, 192); 368 pixels wide (the columns follow
    /// each other without lines and leave 7 pixels of background at the
    /// right) and as high as its rows.
    explicit TDatenGrid(QWidget* parent = nullptr);

    /// How a cell's text is drawn.
    enum class CellAlign {
        None,  ///< empty: nothing is drawn
        Left,  ///< 2 pixels right of the cell's left edge
        Right, ///< ending 2 pixels left of the cell's right edge
    };
    struct CellLook {
        CellAlign align = CellAlign::None;
        QString shown; ///< the text as drawn (a leading "#" removed)
    };
    /// Text beginning with "#", "+", "-" or a digit, and the heat-recovery
    /// classes "H1" ... "H6", are right-aligned; a leading "#" only forces
    /// that and is not drawn. Any other text is left-aligned.
    static CellLook LookOf(const QString& text);

    int ColCount() const { return static_cast<int>(colWidths_.size()); }
    /// Changes the number of columns; new columns are 64 pixels wide, cells
    /// of removed columns are dropped.
    void SetColCount(int count);
    int RowCount() const { return static_cast<int>(rowHeights_.size()); }
    /// Changes the number of rows; new rows get DefaultRowHeight.
    void SetRowCount(int count);

    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    /// Sets the height of every row.
    void SetDefaultRowHeight(int height);

    /// Cell text; outside the grid, reading gives "" and writing does nothing.
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    /// Empties every cell.
    void Clear();

    /// The rectangle of a cell (columns and rows follow each other without
    /// lines); empty outside the grid.
    QRect CellRect(int col, int row) const;
    /// The size of all cells together.
    QSize CellsSize() const;

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    QSize sizeHint() const override { return CellsSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Resized();

    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int defaultRowHeight_;
    std::vector<std::vector<QString>> cells_; ///< [row][col]
    QColor color_{192, 192, 192};
};

} // namespace tavro
