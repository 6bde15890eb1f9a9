#pragma once

// The program's variants of the standard controls. Each draws its caption
// itself with the control's own font, so that the language's font (UiFont)
// reaches every caption, and keeps the few properties the windows rely on.

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>

class QPainter;

namespace tavro {

/// The horizontal part of an alignment: left, right or centre (anything
/// else is left), for the Alignment properties of the controls.
Qt::Alignment HorizontalAlignment(Qt::Alignment alignment);

/// Draws a caption into `rect` with `flags` (Qt::AlignmentFlag and
/// Qt::TextFlag) in the painter's font: in the widget's text colour when
/// it is enabled, engraved (the light colour 1 pixel right and down, the
/// dark colour over it) when it is disabled.
void DrawCaption(QPainter& painter, const QWidget& widget, const QRect& rect, int flags,
                 const QString& text);

/// A check box whose caption is centred vertically and may wrap words.
class TVkCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    explicit TVkCheckBox(QWidget* parent = nullptr);
    explicit TVkCheckBox(const QString& caption, QWidget* parent = nullptr);

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);

    /// Where the caption goes: beside the box, the full height.
    QRect CaptionArea() const;

    bool hasHeightForWidth() const override { return wordWrap_; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool wordWrap_ = false;
};

/// A radio button whose caption starts at the top left of its area and may
/// wrap words.
class TVkRadioButton : public QRadioButton {
    Q_OBJECT
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    explicit TVkRadioButton(QWidget* parent = nullptr);
    explicit TVkRadioButton(const QString& caption, QWidget* parent = nullptr);

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);

    /// Where the caption goes: beside the button, the full height.
    QRect CaptionArea() const;

    bool hasHeightForWidth() const override { return wordWrap_; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool wordWrap_ = false;
};

/// A one-line caption, at the top, aligned left, right or centred.
class TVkStaticText : public QLabel {
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)

public:
    explicit TVkStaticText(QWidget* parent = nullptr);
    explicit TVkStaticText(const QString& caption, QWidget* parent = nullptr);

    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Alignment alignment_ = Qt::AlignLeft;
};

/// The main menu: its bar and its menus follow the bar's font, so that the
/// rows grow with the font of the language.
class TVkMainMenu : public QMenuBar {
    Q_OBJECT

public:
    explicit TVkMainMenu(QWidget* parent = nullptr);

    /// The size of a menu row's image square: the font's pixel height + 4.
    int ImageSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void actionEvent(QActionEvent* event) override;

private:
    void ApplyFontToMenus();
};

/// A page of a TVkPageControl, filled with its own colour.
class TVkTabSheet : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)

public:
    explicit TVkTabSheet(QWidget* parent = nullptr);

    /// The background; until set, the palette's button colour.
    QColor Color() const;
    void SetColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_; ///< invalid: the palette's button colour
};

/// A page control whose tab captions are drawn whole (never shortened),
/// each with the font of its own page, centred. With MultiLine the tabs
/// wrap into as many rows as their captions need at the control's width,
/// each row stretched to the full width, the row of the selected tab next
/// to the pages.
class TVkPageControl : public QTabWidget {
    Q_OBJECT
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE SetMultiLine)

public:
    explicit TVkPageControl(QWidget* parent = nullptr);

    /// Adds `page` with `caption` and returns its index.
    int AddPage(TVkTabSheet* page, const QString& caption);

    /// The rectangle of caption `index` inside the tab bar, as it is drawn.
    QRect CaptionRect(int index) const;
    /// The rectangle of tab `index` inside the tab bar, as it is drawn;
    /// empty for an index out of range.
    QRect TabArea(int index) const;

    bool MultiLine() const;
    void SetMultiLine(bool multi);
    /// The number of rows of tabs (1 without MultiLine, 0 without pages).
    int RowCount() const;

protected:
    void tabInserted(int index) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

/// An edit field with an Alignment (left by default).
class TVkEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)

public:
    explicit TVkEdit(QWidget* parent = nullptr);

    Qt::Alignment Alignment() const { return HorizontalAlignment(alignment()); }
    void SetAlignment(Qt::Alignment alignment);
};

} // namespace tavro
