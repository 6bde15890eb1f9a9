#pragma once

// Numeric edit fields that format, parse and range-check their value and
// announce a committed value to their window, and a combo box that aligns
// its item texts.

#include "shell/texts/number_format.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStyle>

#include <cstdint>
#include <functional>

namespace tavro {

/// What TNumEdit and TIntEdit share: the limits, the validation message,
/// the two notifications and the handling of Enter and of the focus.
///
/// A text is acceptable when it is a number the field can hold and, with
/// Validation on, lies in the range. Any other text, a text that is no
/// number included, is answered with the range message (ErrorMessage with
/// the limits) titled Content, and the field keeps the focus and the text.
///
/// - Focus entering the field selects the whole text.
/// - Enter makes the field read-only (any other key makes it editable
///   again); an acceptable text is read, shown formatted and committed,
///   then OnReturn fires; the whole text is selected. Enter never reaches
///   the window's default button.
/// - Focus moving to another control of the window commits a modified,
///   acceptable text; a text that is not acceptable is refused, and the
///   mouse click that tried to move the focus does nothing else.
/// - A commit fires OnCalculate only when it changes the value, and clears
///   the modified flag: committing the same number again changes nothing.
/// Switching to another window or a menu is not a focus change of the
/// window and commits nothing; commands started that way call
/// CommitFocused first.
class TCustomNumEdit : public QLineEdit {
    Q_OBJECT
    // The properties both fields share; each field adds its Value.
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(QString Content READ Content WRITE SetContent)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage WRITE SetErrorMessage)
    Q_PROPERTY(bool Validation READ Validation WRITE SetValidation)

public:
    using TNotifyEvent = std::function<void(TCustomNumEdit& sender)>;

    /// Fired after Enter committed a valid value.
    TNotifyEvent OnReturn;
    /// Fired when a changed, valid value is committed.
    TNotifyEvent OnCalculate;

    /// Left, right (the default) or centre.
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment alignment);

    /// The validation range, both ends included (0 ... 0 until set).
    double MinValue() const { return minValue_; }
    void SetMinValue(double v) { minValue_ = v; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double v) { maxValue_ = v; }

    /// The title of the validation message, usually the quantity's name.
    QString Content() const { return content_; }
    void SetContent(const QString& content) { content_ = content; }

    /// The validation message with two placeholders ("%g", "%G" or
    /// "%.<n>g"; "%%" is a percent sign) for MinValue and MaxValue, like
    /// text 105 "Please enter a number between %g and %g".
    QString ErrorMessage() const { return errorMessage_; }
    void SetErrorMessage(const QString& message) { errorMessage_ = message; }

    /// Range checking on or off (off until set).
    bool Validation() const { return validation_; }
    void SetValidation(bool on) { validation_ = on; }

    /// ErrorMessage filled with MinValue and MaxValue as C's "%g" gives
    /// them, with the process's decimal separator ("between 600 and 1100");
    /// text 105 when ErrorMessage is empty.
    QString RangeMessage() const;

    /// Whether the text is acceptable: a number the field can hold and,
    /// with Validation on, within the range. Shows nothing.
    bool IsTextValid() const;

    /// Commits a text typed and not yet committed, as leaving the field
    /// would: true when there was none or it was committed (OnCalculate
    /// fires when the value changed); false when the text is refused, after
    /// the range message, with the focus in the field.
    bool CommitPending();

    /// CommitPending of the numeric field that has the focus in `window`;
    /// true when that is no numeric field.
    static bool CommitFocused(QWidget* window);

protected:
    explicit TCustomNumEdit(QWidget* parent);

    /// Reads the text into the value and shows the value formatted.
    /// Throws ConversionError for a text that is not a number.
    virtual void CommitText() = 0;
    /// Whether a parsed number is within the range.
    virtual bool InRange(double v) const;
    /// Whether a parsed number can be read as the field's value at all.
    virtual bool Holds(double) const { return true; }
    /// The stored value, to tell whether a commit changed it.
    virtual double StoredValue() const = 0;

    /// The text in UiCodePage, as the number parser takes it.
    std::string UiText() const;

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// The validation of a commit: true when the text may be committed;
    /// otherwise shows the message and puts the focus back.
    bool Validate();
    /// CommitText, the notifications (OnCalculate only when `modified` and
    /// the value changed) and the modified flag cleared.
    void Commit(bool modified, bool notifyReturn);
    /// Shows the range message and puts the focus back into the field.
    void Reject();
    void Notify(const TNotifyEvent& handler);

    double minValue_ = 0;
    double maxValue_ = 0;
    QString content_;
    QString errorMessage_;
    bool validation_ = false;
};

/// A floating-point field. Its Format property holds the TFloatFormat as
/// a number (0 general ... 4 currency).
class TNumEdit : public TCustomNumEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(int Format READ FormatIndex WRITE SetFormatIndex)
    Q_PROPERTY(int Digits READ Digits WRITE SetDigits)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)

public:
    explicit TNumEdit(QWidget* parent = nullptr);

    /// The value. When the text was modified it is parsed with the
    /// process's decimal separator and stored first; a text that is not a
    /// number throws ConversionError.
    double Value();
    /// Stores the value and shows it formatted (clears the modified flag).
    void SetValue(double value);

    /// The number format of the shown value (fixed until set); setting it,
    /// Digits or Precision shows the stored value again.
    TFloatFormat Format() const { return format_; }
    void SetFormat(TFloatFormat format);
    int Digits() const { return digits_; }
    void SetDigits(int digits);
    int Precision() const { return precision_; }
    void SetPrecision(int precision);

    /// The value last stored or committed; a text typed since is not read.
    double CommittedValue() const { return value_; }

protected:
    void CommitText() override;
    double StoredValue() const override { return value_; }

private:
    int FormatIndex() const { return format_; }
    void SetFormatIndex(int format) { SetFormat(static_cast<TFloatFormat>(format)); }
    void ShowValue();

    double value_ = 0;
    TFloatFormat format_ = ffFixed;
    int digits_ = 2;
    int precision_ = 10;
};

/// A whole-number field. A text that is a number but not whole (1.5) is
/// rounded to the nearest whole number, halves to even (2.5 gives 2); with
/// validation on, the rounded number must lie in the range too.
class TIntEdit : public TCustomNumEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)

public:
    explicit TIntEdit(QWidget* parent = nullptr);

    /// The value; a modified text is parsed first (rounded when it is a
    /// number but not whole). A text that is not a number, or one beyond
    /// the int32 range, throws ConversionError.
    int32_t Value();
    /// Stores the value and shows it in plain digits.
    void SetValue(int32_t value);
    /// The value last stored or committed; a text typed since is not read.
    int32_t CommittedValue() const { return value_; }

protected:
    void CommitText() override;
    bool InRange(double v) const override;
    bool Holds(double v) const override;
    double StoredValue() const override { return value_; }

private:
    int32_t value_ = 0;
};

/// A combo box that draws its items (and the chosen one in the closed box)
/// on one line, vertically centred, 2 pixels in from the sides, aligned by
/// Alignment.
class TAlignComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)

public:
    explicit TAlignComboBox(QWidget* parent = nullptr);

    /// Left, right (the default) or centre.
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);

    /// The height of a row of the list (16 until set).
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);

    /// When set, draws the items instead: (painter, item index, item
    /// rectangle, state). What it throws is ignored.
    std::function<void(QPainter&, int, const QRect&, QStyle::State)> OnDrawItem;

    /// The default drawing of item `index` into `rect`: the background
    /// (highlighted when selected) and the text with the rules above.
    void DrawItem(QPainter& painter, int index, const QRect& rect, QStyle::State state) const;

    /// Where DrawItem puts the text of an item drawn into `rect`.
    static QRect TextRect(const QRect& rect) { return rect.adjusted(2, 0, -2, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class AlignItemDelegate;
    void PaintItem(QPainter& painter, int index, const QRect& rect, QStyle::State state) const;

    Qt::Alignment alignment_ = Qt::AlignRight;
    int itemHeight_ = 16;
};

} // namespace tavro
