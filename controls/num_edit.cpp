#include "controls/num_edit.h"

#include "controls/message_dialog.h"
#include "controls/vk_controls.h"
#include "physics/numeric/rounding.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/texts.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTimer>

#include <cmath>
#include <string>

namespace tavro {

namespace {

/// Set while a field shows its message and takes the focus back, so that
/// the focus changes this causes validate nothing.
int rejecting = 0;

/// A focus change inside the window (not a switch to another window, a
/// popup or the menu bar).
bool MovesInsideWindow(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

/// Drops the mouse press (or wheel turn) that tried to take the focus from
/// a field whose text was refused: the platform moves the focus before it
/// delivers the press, so without this the button under the mouse would be
/// pressed or the combo box opened although the field kept the focus.
/// Lives until it has dropped that event or the event loop turns once.
class FocusClickDropper : public QObject {
public:
    static void Arm() {
        auto* dropper = new FocusClickDropper;
        QCoreApplication::instance()->installEventFilter(dropper);
        QTimer::singleShot(0, dropper, [dropper] { dropper->deleteLater(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

// ------------------------------------------------------------- TCustomNumEdit

TCustomNumEdit::TCustomNumEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

Qt::Alignment TCustomNumEdit::Alignment() const {
    return HorizontalAlignment(alignment());
}

void TCustomNumEdit::SetAlignment(Qt::Alignment alignment) {
    setAlignment(HorizontalAlignment(alignment) | Qt::AlignVCenter);
}

std::string TCustomNumEdit::UiText() const {
    const QString t = text();
    return WideToUi(std::u16string_view(reinterpret_cast<const char16_t*>(t.utf16()),
                                        static_cast<size_t>(t.size())));
}

QString TCustomNumEdit::RangeMessage() const {
    const double limits[2] = {minValue_, maxValue_};
    int used = 0;
    QString out;
    const QString f = errorMessage_.isEmpty() ? TextOf(105) : errorMessage_;
    for (qsizetype i = 0; i < f.size(); ++i) {
        if (f[i] != QLatin1Char('%')) {
            out += f[i];
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        // "%g", "%G" or "%.<n>g"; anything else stays as it is.
        qsizetype j = i + 1;
        int precision = 6;
        if (j < f.size() && f[j] == QLatin1Char('.')) {
            ++j;
            precision = 0;
            while (j < f.size() && f[j].isDigit() && precision < 100) {
                precision = precision * 10 + f[j].digitValue();
                ++j;
            }
        }
        if (j < f.size() && (f[j] == QLatin1Char('g') || f[j] == QLatin1Char('G')) && used < 2) {
            QString number = UiString(FormatG(limits[used++], precision));
            if (f[j] == QLatin1Char('G')) number = number.toUpper();
            out += number;
            i = j;
        } else {
            out += f[i];
        }
    }
    return out;
}

bool TCustomNumEdit::InRange(double v) const {
    return minValue_ <= v && v <= maxValue_;
}

bool TCustomNumEdit::IsTextValid() const {
    double v = 0;
    if (!ParseNumber(UiText(), v) || !Holds(v)) return false;
    return !validation_ || InRange(v);
}

bool TCustomNumEdit::Validate() {
    if (IsTextValid()) return true;
    Reject();
    return false;
}

void TCustomNumEdit::Reject() {
    ++rejecting;
    ShowMessageDialog(RangeMessage(), content_, mkWarning);
    // Back into the field; when the window is not active yet, the focus
    // lands here once it is.
    if (QWidget* w = window(); w != nullptr && !w->isActiveWindow()) w->activateWindow();
    setFocus(Qt::OtherFocusReason);
    selectAll();
    --rejecting;
}

void TCustomNumEdit::Notify(const TNotifyEvent& handler) {
    if (!handler) return;
    try {
        handler(*this);
    } catch (const std::exception& e) {
        // As a failed command: reported, and the program goes on.
        ShowExceptionMessage(e);
    }
}

void TCustomNumEdit::Commit(bool modified, bool notifyReturn) {
    const double before = StoredValue();
    try {
        CommitText();
    } catch (const ConversionError&) {
        // Validate has read the text already; should it still fail, the
        // field answers as for any text it cannot take.
        Reject();
        return;
    }
    // The value is taken: the text now shows it, and committing it again
    // is no change.
    setModified(false);
    if (modified && StoredValue() != before) Notify(OnCalculate);
    if (notifyReturn) Notify(OnReturn);
}

bool TCustomNumEdit::CommitPending() {
    if (!isModified()) return true;
    if (!Validate()) return false;
    Commit(true, false);
    return true;
}

bool TCustomNumEdit::CommitFocused(QWidget* window) {
    auto* field =
        window != nullptr ? qobject_cast<TCustomNumEdit*>(window->focusWidget()) : nullptr;
    if (field == nullptr || !field->isVisible() || !field->isEnabled()) return true;
    return field->CommitPending();
}

void TCustomNumEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
}

void TCustomNumEdit::focusOutEvent(QFocusEvent* event) {
    if (rejecting > 0 || !MovesInsideWindow(event->reason()) || !isVisible() || !isModified()) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    if (Validate()) {
        Commit(true, false);
    } else if (event->reason() == Qt::MouseFocusReason) {
        FocusClickDropper::Arm();
    }
    // When the focus came back, the field has not been left after all.
    if (!hasFocus()) QLineEdit::focusOutEvent(event);
}

void TCustomNumEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        setReadOnly(false);
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Enter stays in the field: it commits, it does not press the window's
    // default button.
    setReadOnly(true);
    if (Validate()) Commit(isModified(), true);
    selectAll();
    QLineEdit::keyPressEvent(event);
    event->accept();
}

// ------------------------------------------------------------------- TNumEdit

TNumEdit::TNumEdit(QWidget* parent) : TCustomNumEdit(parent) {
    ShowValue();
}

double TNumEdit::Value() {
    if (isModified()) {
        const std::string text = UiText();
        double v = 0;
        if (!ParseNumber(text, v)) {
            throw ConversionError(Quoted(UiToUtf8(text)) + " is not a valid floating point value");
        }
        value_ = v;
    }
    return value_;
}

void TNumEdit::SetValue(double value) {
    value_ = value;
    ShowValue();
}

void TNumEdit::SetFormat(TFloatFormat format) {
    format_ = format;
    ShowValue();
}

void TNumEdit::SetDigits(int digits) {
    digits_ = digits;
    ShowValue();
}

void TNumEdit::SetPrecision(int precision) {
    precision_ = precision;
    ShowValue();
}

void TNumEdit::ShowValue() {
    setText(UiString(FormatNumber(value_, format_, precision_, digits_)));
}

void TNumEdit::CommitText() {
    Value();
    ShowValue();
}

// ------------------------------------------------------------------- TIntEdit

TIntEdit::TIntEdit(QWidget* parent) : TCustomNumEdit(parent) {
    SetValue(0);
}

int32_t TIntEdit::Value() {
    if (isModified()) {
        const std::string text = UiText();
        int32_t i = 0;
        double v = 0;
        if (ParseInteger(text, i)) {
            value_ = i;
        } else if (ParseNumber(text, v) && Holds(v)) {
            value_ = RoundHalfEven(v);
        } else {
            throw ConversionError(Quoted(UiToUtf8(text)) + " is not a valid integer value");
        }
    }
    return value_;
}

void TIntEdit::SetValue(int32_t value) {
    value_ = value;
    setText(QString::number(value));
}

bool TIntEdit::Holds(double v) const {
    return std::fabs(v) < 2147483647.5;
}

bool TIntEdit::InRange(double v) const {
    // The value that will be taken must be in the range too.
    return TCustomNumEdit::InRange(v) && Holds(v) && TCustomNumEdit::InRange(RoundHalfEven(v));
}

void TIntEdit::CommitText() {
    SetValue(Value());
}

// ------------------------------------------------------------- TAlignComboBox

/// Draws the items of a TAlignComboBox's list.
class AlignItemDelegate : public QStyledItemDelegate {
public:
    explicit AlignItemDelegate(TAlignComboBox* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        combo_->PaintItem(*painter, index.row(), option.rect, option.state);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int width = option.fontMetrics.horizontalAdvance(index.data().toString()) + 4;
        return QSize(width, combo_->ItemHeight());
    }

private:
    TAlignComboBox* combo_;
};

TAlignComboBox::TAlignComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new AlignItemDelegate(this));
}

void TAlignComboBox::SetAlignment(Qt::Alignment alignment) {
    alignment_ = HorizontalAlignment(alignment);
    update();
    if (view() != nullptr) view()->viewport()->update();
}

void TAlignComboBox::SetItemHeight(int height) {
    itemHeight_ = std::max(1, height);
    if (view() != nullptr) view()->doItemsLayout();
    updateGeometry();
}

void TAlignComboBox::DrawItem(QPainter& painter, int index, const QRect& rect,
                              QStyle::State state) const {
    const bool selected = state & QStyle::State_Selected;
    const QPalette& pal = palette();
    painter.fillRect(rect, pal.brush(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                             selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(TextRect(rect),
                     static_cast<int>(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine,
                     itemText(index));
}

void TAlignComboBox::PaintItem(QPainter& painter, int index, const QRect& rect,
                               QStyle::State state) const {
    painter.save();
    try {
        if (OnDrawItem) {
            OnDrawItem(painter, index, rect, state);
        } else {
            DrawItem(painter, index, rect, state);
        }
    } catch (...) {
        // A failing item drawing leaves the item as it is.
    }
    painter.restore();
}

void TAlignComboBox::paintEvent(QPaintEvent* event) {
    if (isEditable()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0) return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    p.save();
    p.setClipRect(field);
    try {
        if (OnDrawItem) {
            OnDrawItem(p, currentIndex(), field, QStyle::State_None);
        } else {
            p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                     QPalette::ButtonText));
            p.drawText(TextRect(field),
                       static_cast<int>(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine,
                       currentText());
        }
    } catch (...) {
    }
    p.restore();
}

} // namespace tavro
