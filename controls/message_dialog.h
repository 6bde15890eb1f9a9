#pragma once

// The program's message dialog: a message with one of the standard icons
// and one OK button.

#include "controls/vk_form.h"

#include <QLabel>
#include <QRect>
#include <QSize>
#include <QString>

#include <exception>

class QFont;
class QPushButton;

namespace tavro {

/// Kinds of message and their icons.
enum MessageKind : int {
    mkWarning = 0,      ///< exclamation
    mkError = 1,        ///< hand
    mkInformation = 2,  ///< asterisk
    mkConfirmation = 3, ///< question mark
    mkNone = 4,         ///< no icon (so is any other number)
};

/// Where the parts of a message dialog go, in client coordinates.
struct MessageLayout {
    int charWidth = 0;  ///< average width of the 52 letters A-Z a-z
    int charHeight = 0; ///< their height
    QRect icon;         ///< empty without an icon
    QRect text;         ///< the word-wrapped message
    QRect button;       ///< the OK button
    QSize client;       ///< the client size
};

/// The layout of a dialog with `message` in `font`: margins and sizes in
/// dialog units (horizontal ×cx/4, vertical ×cy/8), the message wrapped at
/// half of `screenWidth` with tabs expanded, a 32-pixel icon beside it when
/// `withIcon`, the button centred below.
MessageLayout LayOutMessage(const QFont& font, const QString& message, bool withIcon,
                            int screenWidth);

/// The flags the message is measured and drawn with.
inline constexpr int kMessageTextFlags =
    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

/// The message label: draws its text exactly as LayOutMessage measured it.
class TMessageLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

/// The message dialog. Shown with ShowModal; tests find the message, title
/// and kind through the accessors in TVkForm's modal hook.
class TMessageForm : public TVkForm {
    Q_OBJECT

public:
    /// Builds the dialog: `title` as caption, the font of the main window
    /// (the first window of the program) or UiFont when there is none.
    TMessageForm(const QString& message, const QString& title, int kind, QWidget* parent = nullptr);

    const QString& Message() const { return message_; }
    const QString& Title() const { return title_; }
    int Kind() const { return kind_; }
    /// Whether an icon is shown (kinds 0 to 3).
    bool HasIcon() const { return icon_ != nullptr; }
    /// The icon label, the message label and the OK button.
    QLabel* IconLabel() const { return icon_; }
    TMessageLabel* MessageLabel() const { return label_; }
    QPushButton* OkButton() const { return ok_; }
    const MessageLayout& Layout() const { return layout_; }

    /// The standard pixmap of a kind's icon, as the dialog shows it; null for
    /// kind 4 and unknown kinds.
    static QPixmap IconFor(int kind);

private:
    QString message_;
    QString title_;
    int kind_;
    MessageLayout layout_;
    QLabel* icon_ = nullptr;
    TMessageLabel* label_ = nullptr;
    QPushButton* ok_ = nullptr;
};

/// Shows `message` modally with `title` as caption and the icon of `kind`,
/// centred on the screen, and frees the dialog afterwards. Returns mrOk:
/// the OK button is also the cancel button, so Escape and closing the
/// window answer OK as well.
int ShowMessageDialog(const QString& message, const QString& title, int kind);

/// Reports a failure of a command as the platform's error box would: the
/// exception's message with the error icon and the application's name as
/// title. The program continues.
int ShowExceptionMessage(const std::exception& error);

} // namespace tavro
