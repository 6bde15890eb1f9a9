#pragma once

// The parts the windows that show pictures share (the page preview and the
// chart window): the tool strip with its glyph buttons over a scroll box
// that holds a paint box.

#include <QScrollArea>
#include <QString>
#include <QWidget>

#include <functional>
#include <string_view>

class QFrame;
class QHBoxLayout;
class QToolButton;

namespace tavro {

struct Picture;

/// The scroll box: a scroll area that tells the size its viewport has
/// without scroll bars.
class TScrollBox : public QScrollArea {
    Q_OBJECT

public:
    using QAbstractScrollArea::maximumViewportSize;
    using QScrollArea::QScrollArea;
};

/// A widget that leaves its painting to a handler.
class TPaintBox : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
    std::function<void()> OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
};

/// A 30 × 30 tool button named `name` that takes no focus. It shows the PNG
/// glyph resource `glyph` (with its double drawing on screens scaled by
/// two), or the text `fallback` when the glyph is missing or broken, so the
/// button still tells what it does.
QToolButton* MakeToolButton(QWidget* parent, const char* name, std::string_view glyph,
                            const QString& fallback);

/// Sets a decoded picture as the button's icon.
void SetToolGlyph(QToolButton* button, const Picture& picture);

/// Sets picture resource `number` as the button's icon, with its double
/// drawing for screens scaled by two; throws ResourceError when the picture
/// is missing or broken.
void SetToolGlyph(QToolButton* button, int number);

/// The tool strip `Panel1` of `form`; its row layout is returned in `row`.
QFrame* MakeToolStrip(QWidget* form, QHBoxLayout*& row);

/// The scroll box `ScrollBox1` (workspace colour, tracking scroll bars)
/// holding the paint box `PaintBox1`, which paints with `onPaint`.
TScrollBox* MakePaintView(QWidget* form, TPaintBox*& paintBox, std::function<void()> onPaint);

/// Lays `form` out as the tool strip over the scroll box, which takes the
/// rest of the window.
void StackStripOverView(QWidget* form, QFrame* strip, TScrollBox* view);

} // namespace tavro
