#include "controls/vk_controls.h"

#include <QActionEvent>
#include <QFontInfo>
#include <QMenu>
#include <QPainter>
#include <QStyleOption>
#include <QStylePainter>

#include <algorithm>

namespace tavro {

Qt::Alignment HorizontalAlignment(Qt::Alignment alignment) {
    if (alignment & Qt::AlignRight) return Qt::AlignRight;
    if (alignment & Qt::AlignHCenter) return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

void DrawCaption(QPainter& painter, const QWidget& widget, const QRect& rect, int flags,
                 const QString& text) {
    painter.save();
    const QPalette& pal = widget.palette();
    if (widget.isEnabled()) {
        painter.setPen(pal.color(QPalette::Active, widget.foregroundRole()));
        painter.drawText(rect, flags, text);
    } else {
        painter.setPen(pal.color(QPalette::Active, QPalette::Light));
        painter.drawText(rect.translated(1, 1), flags, text);
        painter.setPen(pal.color(QPalette::Active, QPalette::Dark));
        painter.drawText(rect, flags, text);
    }
    painter.restore();
}

namespace {

int WrapFlag(bool wrap) {
    return wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
}

void DrawFocusFrame(QPainter& painter, QWidget& widget, const QRect& rect) {
    QStyleOptionFocusRect fr;
    fr.initFrom(&widget);
    fr.rect = rect.adjusted(-1, 0, 1, 0);
    widget.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fr, &painter, &widget);
}

// The caption of a check box or radio button, with the focus frame around
// its text while the button has the focus.
void DrawButtonCaption(QPainter& painter, QWidget& button, const QRect& area, int flags,
                       const QString& text, bool focus) {
    DrawCaption(painter, button, area, flags, text);
    if (focus && !text.isEmpty()) {
        DrawFocusFrame(painter, button, button.fontMetrics().boundingRect(area, flags, text));
    }
}

// The caption area of a check box or radio button: from where the style
// puts the contents to the right edge, the full height.
QRect ButtonCaptionArea(const QAbstractButton& button, const QStyleOptionButton& opt,
                        QStyle::SubElement contents) {
    const QRect c = button.style()->subElementRect(contents, &opt, &button);
    return QRect(c.left(), 0, std::max(0, button.width() - c.left()), button.height());
}

// The height a word-wrapped caption needs at `width`, at least `minimum`.
int WrappedCaptionHeight(const QAbstractButton& button, int width, int captionLeft, int minimum) {
    const QRect text =
        button.fontMetrics().boundingRect(QRect(0, 0, std::max(1, width - captionLeft), 10000),
                                          Qt::TextWordWrap | Qt::TextShowMnemonic, button.text());
    return std::max(minimum, text.height());
}

} // namespace

// ---------------------------------------------------------------- TVkCheckBox

TVkCheckBox::TVkCheckBox(QWidget* parent) : QCheckBox(parent) {}

TVkCheckBox::TVkCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

void TVkCheckBox::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    updateGeometry();
    update();
}

QRect TVkCheckBox::CaptionArea() const {
    QStyleOptionButton opt;
    initStyleOption(&opt);
    return ButtonCaptionArea(*this, opt, QStyle::SE_CheckBoxContents);
}

int TVkCheckBox::heightForWidth(int width) const {
    return WrappedCaptionHeight(*this, width, CaptionArea().left(), QCheckBox::sizeHint().height());
}

void TVkCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const bool focus = opt.state & QStyle::State_HasFocus;
    opt.text.clear();
    opt.state &= ~QStyle::State_HasFocus;
    p.drawControl(QStyle::CE_CheckBox, opt);

    const QRect area = CaptionArea();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | WrapFlag(wordWrap_) | Qt::TextShowMnemonic;
    DrawButtonCaption(p, *this, area, flags, text(), focus);
}

bool TVkCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

// ------------------------------------------------------------- TVkRadioButton

TVkRadioButton::TVkRadioButton(QWidget* parent) : QRadioButton(parent) {}

TVkRadioButton::TVkRadioButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {}

void TVkRadioButton::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    updateGeometry();
    update();
}

QRect TVkRadioButton::CaptionArea() const {
    QStyleOptionButton opt;
    initStyleOption(&opt);
    return ButtonCaptionArea(*this, opt, QStyle::SE_RadioButtonContents);
}

int TVkRadioButton::heightForWidth(int width) const {
    return WrappedCaptionHeight(*this, width, CaptionArea().left(),
                                QRadioButton::sizeHint().height());
}

void TVkRadioButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const bool focus = opt.state & QStyle::State_HasFocus;
    opt.text.clear();
    opt.state &= ~QStyle::State_HasFocus;
    // The caption starts at the top; the button sits beside its first line.
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &opt, this);
    const int line = fontMetrics().height();
    const int band = std::max(line, indicator);
    opt.rect = QRect(0, 0, width(), std::min(height(), band));
    p.drawControl(QStyle::CE_RadioButton, opt);

    QRect area = CaptionArea();
    area.setTop(std::max(0, (std::min(height(), band) - line) / 2));
    const int flags = Qt::AlignLeft | Qt::AlignTop | WrapFlag(wordWrap_) | Qt::TextShowMnemonic;
    DrawButtonCaption(p, *this, area, flags, text(), focus);
}

bool TVkRadioButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

// -------------------------------------------------------------- TVkStaticText

TVkStaticText::TVkStaticText(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

TVkStaticText::TVkStaticText(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TVkStaticText::SetAlignment(Qt::Alignment alignment) {
    alignment_ = HorizontalAlignment(alignment);
    setAlignment(alignment_ | Qt::AlignTop);
    update();
}

void TVkStaticText::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawFrame(&p);
    DrawCaption(p, *this, contentsRect(),
                static_cast<int>(alignment_) | Qt::AlignTop | Qt::TextSingleLine, text());
}

// ---------------------------------------------------------------- TVkMainMenu

TVkMainMenu::TVkMainMenu(QWidget* parent) : QMenuBar(parent) {}

int TVkMainMenu::ImageSize() const {
    return QFontInfo(font()).pixelSize() + 4;
}

QSize TVkMainMenu::sizeHint() const {
    QSize s = QMenuBar::sizeHint();
    s.setHeight(std::max(s.height(), ImageSize()));
    return s;
}

QSize TVkMainMenu::minimumSizeHint() const {
    QSize s = QMenuBar::minimumSizeHint();
    s.setHeight(std::max(s.height(), ImageSize()));
    return s;
}

namespace {

void GiveFont(QMenu* menu, const QFont& font, int depth) {
    if (menu == nullptr || depth > 8) return;
    menu->setFont(font);
    for (QAction* a : menu->actions())
        GiveFont(a->menu<QMenu*>(), font, depth + 1);
}

} // namespace

void TVkMainMenu::ApplyFontToMenus() {
    for (QAction* a : actions())
        GiveFont(a->menu<QMenu*>(), font(), 0);
}

void TVkMainMenu::changeEvent(QEvent* event) {
    QMenuBar::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // Menus are windows of their own and do not inherit the bar's font.
        ApplyFontToMenus();
        updateGeometry();
    }
}

void TVkMainMenu::actionEvent(QActionEvent* event) {
    QMenuBar::actionEvent(event);
    if (event->type() == QEvent::ActionAdded) GiveFont(event->action()->menu<QMenu*>(), font(), 0);
}

// ---------------------------------------------------------------- TVkTabSheet

TVkTabSheet::TVkTabSheet(QWidget* parent) : QWidget(parent) {}

QColor TVkTabSheet::Color() const {
    return color_.isValid() ? color_ : palette().color(QPalette::Button);
}

void TVkTabSheet::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TVkTabSheet::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Color());
}

// -------------------------------------------------------------------- TVkEdit

TVkEdit::TVkEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TVkEdit::SetAlignment(Qt::Alignment alignment) {
    setAlignment(HorizontalAlignment(alignment) | Qt::AlignVCenter);
}

} // namespace tavro
