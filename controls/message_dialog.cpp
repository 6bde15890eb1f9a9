#include "controls/message_dialog.h"

#include "shell/qt/fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <memory>

namespace tavro {

namespace {

constexpr int kIconSize = 32;

/// a × b / c rounded to the nearest integer, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    return static_cast<int>((p + c / 2) / c);
}

QFont MainWindowFont(const TVkForm* self) {
    for (const TVkForm* form : TVkForm::Forms()) {
        if (form != self) return form->font();
    }
    return UiFont().font;
}

int ScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().width() : 1024;
}

} // namespace

MessageLayout LayOutMessage(const QFont& font, const QString& message, bool withIcon,
                            int screenWidth) {
    MessageLayout m;
    const QFontMetrics fm(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m.charWidth = fm.horizontalAdvance(letters) / 52;
    m.charHeight = fm.height();
    const int hMargin = MulDiv(8, m.charWidth, 4);
    const int vMargin = MulDiv(8, m.charHeight, 8);
    const int hSpacing = MulDiv(10, m.charWidth, 4);
    const int vSpacing = MulDiv(10, m.charHeight, 8);
    const int buttonWidth = MulDiv(50, m.charWidth, 4);
    const int buttonHeight = MulDiv(14, m.charHeight, 8);

    const QRect measured =
        fm.boundingRect(QRect(0, 0, std::max(1, screenWidth / 2), 0), kMessageTextFlags, message);
    const int textWidth = std::max(0, measured.right() + 1);
    const int textHeight = std::max(0, measured.bottom() + 1);
    int blockWidth = textWidth;
    int blockHeight = textHeight;
    int textLeft = hMargin;
    if (withIcon) {
        blockWidth += kIconSize + hSpacing;
        blockHeight = std::max(kIconSize, textHeight);
        textLeft += kIconSize + hSpacing;
        m.icon = QRect(hMargin, vMargin, kIconSize, kIconSize);
    }
    m.text = QRect(textLeft, vMargin, textWidth, textHeight);
    m.client = QSize(std::max(blockWidth, buttonWidth) + 2 * hMargin,
                     blockHeight + vSpacing + buttonHeight + 2 * vMargin);
    m.button = QRect((m.client.width() - buttonWidth) / 2, vMargin + blockHeight + vSpacing,
                     buttonWidth, buttonHeight);
    return m;
}

void TMessageLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    p.drawText(rect(), kMessageTextFlags, text());
}

QPixmap TMessageForm::IconFor(int kind) {
    QStyle::StandardPixmap sp;
    switch (kind) {
    case mkWarning:
        sp = QStyle::SP_MessageBoxWarning;
        break;
    case mkError:
        sp = QStyle::SP_MessageBoxCritical;
        break;
    case mkInformation:
        sp = QStyle::SP_MessageBoxInformation;
        break;
    case mkConfirmation:
        sp = QStyle::SP_MessageBoxQuestion;
        break;
    default:
        return {};
    }
    return QApplication::style()->standardIcon(sp).pixmap(kIconSize, kIconSize);
}

TMessageForm::TMessageForm(const QString& message, const QString& title, int kind, QWidget* parent)
    : TVkForm(parent), message_(message), title_(title), kind_(kind) {
    // A dialog border with only the system menu and the close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(title);
    setFont(MainWindowFont(this));

    const QPixmap pixmap = IconFor(kind);
    layout_ = LayOutMessage(font(), message, !pixmap.isNull(), ScreenWidth());
    if (!pixmap.isNull()) {
        icon_ = new QLabel(this);
        icon_->setObjectName(QStringLiteral("Image"));
        icon_->setPixmap(pixmap);
        icon_->setGeometry(layout_.icon);
    }
    label_ = new TMessageLabel(message, this);
    label_->setObjectName(QStringLiteral("Message"));
    label_->setGeometry(layout_.text);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setGeometry(layout_.button);
    SetButtonResult(ok_, mrOk);
    SetDefaultButton(ok_);
    SetCancelButton(ok_);
    ok_->setFocus();
    SetFixedClientSize(layout_.client.width(), layout_.client.height());
    CentreOnScreen();
}

int ShowMessageDialog(const QString& message, const QString& title, int kind) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) owner = QApplication::activeWindow();
    const auto form = std::make_unique<TMessageForm>(message, title, kind, owner);
    form->ShowModal();
    return mrOk;
}

int ShowExceptionMessage(const std::exception& error) {
    return ShowMessageDialog(QString::fromUtf8(error.what()),
                             QGuiApplication::applicationDisplayName(), mkError);
}

} // namespace tavro
