#include "controls/message_dialog.h"

#include "shell/qt/fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace tavro {
namespace {

// Shows a message and runs `look` on the dialog while it is up.
int Show(const QString& message, int kind, const std::function<int(TMessageForm&)>& look) {
    TVkForm::SetModalHook([&](TVkForm& form) {
        auto* m = dynamic_cast<TMessageForm*>(&form);
        return m != nullptr ? look(*m) : static_cast<int>(mrCancel);
    });
    const int result = ShowMessageDialog(message, QStringLiteral("Title"), kind);
    TVkForm::SetModalHook(nullptr);
    return result;
}

int ScreenWidth() {
    return QGuiApplication::primaryScreen()->geometry().width();
}

TEST(MessageDialog, LayoutInDialogUnits) {
    const QFont font = UiFont().font;
    const QFontMetrics fm(font);
    const MessageLayout m = LayOutMessage(font, QStringLiteral("Short"), true, 1000);
    EXPECT_EQ(m.charWidth, fm.horizontalAdvance(QStringLiteral(
                               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                               52);
    EXPECT_EQ(m.charHeight, fm.height());
    const int hMargin = (8 * m.charWidth + 2) / 4;
    const int vMargin = (8 * m.charHeight + 4) / 8;
    EXPECT_EQ(m.icon, QRect(hMargin, vMargin, 32, 32));
    EXPECT_EQ(m.text.left(), m.icon.right() + 1 + (10 * m.charWidth + 2) / 4);
    EXPECT_EQ(m.text.top(), vMargin);
    // A short message: the button decides the width.
    const int buttonWidth = (50 * m.charWidth + 2) / 4;
    EXPECT_EQ(m.button.width(), buttonWidth);
    EXPECT_EQ(m.button.height(), (14 * m.charHeight + 4) / 8);
    EXPECT_GE(m.client.width(), buttonWidth + 2 * hMargin);
    EXPECT_EQ(m.button.left() + m.button.width() / 2, m.client.width() / 2);
    // Below the 32-pixel icon (taller than one line), spacing, button, margin.
    EXPECT_EQ(m.button.top(), vMargin + 32 + (10 * m.charHeight + 4) / 8);
    EXPECT_EQ(m.client.height(), m.button.bottom() + 1 + vMargin);

    // Without an icon the text starts at the margin.
    const MessageLayout plain = LayOutMessage(font, QStringLiteral("Short"), false, 1000);
    EXPECT_TRUE(plain.icon.isNull());
    EXPECT_EQ(plain.text.left(), hMargin);
    EXPECT_EQ(plain.client.width(), buttonWidth + 2 * hMargin);
}

TEST(MessageDialog, LongMessagesWrapAtHalfTheScreen) {
    const QFont font = UiFont().font;
    const QString message = QStringLiteral("The pressure drop exceeds the limit. ").repeated(20);
    const MessageLayout m = LayOutMessage(font, message, true, 800);
    EXPECT_LE(m.text.width(), 400);
    EXPECT_GT(m.text.width(), 300);
    EXPECT_GE(m.text.height(), 5 * QFontMetrics(font).height());
    EXPECT_EQ(m.client.width(), m.text.right() + 1 + (8 * m.charWidth + 2) / 4);
    // Tabs are expanded, so a tab makes the line wider than a blank.
    const MessageLayout blank = LayOutMessage(font, QStringLiteral("a b"), false, 800);
    const MessageLayout tab = LayOutMessage(font, QStringLiteral("a\tb"), false, 800);
    EXPECT_GT(tab.text.width(), blank.text.width());
}

TEST(MessageDialog, ShowsTheMessageAndAnswersOk) {
    const QString message = QStringLiteral("Lorem ipsum dolor sit amet. ").repeated(25);
    bool looked = false;
    const int result = Show(message, mkWarning, [&](TMessageForm& form) {
        looked = true;
        EXPECT_EQ(form.windowTitle(), "Title");
        EXPECT_EQ(form.Message(), message);
        EXPECT_EQ(form.Kind(), mkWarning);
        EXPECT_TRUE(form.isModal());
        EXPECT_EQ(form.size(), form.Layout().client);
        EXPECT_LE(form.MessageLabel()->width(), ScreenWidth() / 2);
        EXPECT_EQ(form.MessageLabel()->geometry(), form.Layout().text);
        QPushButton* ok = form.OkButton();
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(ok->geometry(), form.Layout().button);
        // Centred on the screen.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_NEAR(form.frameGeometry().center().x(), screen.center().x(), 2);
        EXPECT_NEAR(form.frameGeometry().center().y(), screen.center().y(), 2);
        // The label draws every line it was measured for, the last one too.
        QImage image(form.MessageLabel()->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        form.MessageLabel()->render(&image);
        const int line = QFontMetrics(form.font()).height();
        int lastInk = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128) lastInk = y;
            }
        }
        EXPECT_GT(lastInk, image.height() - line);
        ok->click();
        return static_cast<int>(mrNone);
    });
    EXPECT_TRUE(looked);
    EXPECT_EQ(result, mrOk);
    // Escape presses OK as well: the answer is OK in any case.
    EXPECT_EQ(Show(QStringLiteral("x"), mkNone,
                   [](TMessageForm& form) {
                       QTest::keyClick(&form, Qt::Key_Escape);
                       return static_cast<int>(mrNone);
                   }),
              mrOk);
    EXPECT_TRUE(TVkForm::Forms().empty()); // each dialog was freed
}

TEST(MessageDialog, EachKindItsIcon) {
    for (int kind : {0, 1, 2, 3, 4, 7, -1}) {
        Show(QStringLiteral("Message"), kind, [&](TMessageForm& form) {
            const QPixmap expected = TMessageForm::IconFor(kind);
            const bool icon = kind >= 0 && kind <= 3;
            EXPECT_EQ(form.HasIcon(), icon) << kind;
            EXPECT_EQ(expected.isNull(), !icon) << kind;
            if (icon) {
                EXPECT_EQ(form.IconLabel()->geometry(), form.Layout().icon);
                EXPECT_EQ(form.IconLabel()->pixmap().toImage(), expected.toImage()) << kind;
                EXPECT_GE(form.MessageLabel()->x(), form.IconLabel()->geometry().right() + 1);
            } else {
                EXPECT_EQ(form.MessageLabel()->x(), (8 * form.Layout().charWidth + 2) / 4);
            }
            return static_cast<int>(mrOk);
        });
    }
    // The four icons differ from each other.
    EXPECT_NE(TMessageForm::IconFor(mkWarning).toImage(), TMessageForm::IconFor(mkError).toImage());
    EXPECT_NE(TMessageForm::IconFor(mkInformation).toImage(),
              TMessageForm::IconFor(mkConfirmation).toImage());
}

TEST(MessageDialog, TakesTheMainWindowsFont) {
    auto main = std::make_unique<TVkForm>();
    QFont big = UiFont().font;
    big.setPixelSize(18);
    main->setFont(big);
    Show(QStringLiteral("Message"), mkNone, [&](TMessageForm& form) {
        EXPECT_EQ(form.font().pixelSize(), 18);
        EXPECT_EQ(form.MessageLabel()->font().pixelSize(), 18);
        return static_cast<int>(mrOk);
    });
    main.reset();
    Show(QStringLiteral("Message"), mkNone, [&](TMessageForm& form) {
        EXPECT_EQ(form.font(), UiFont().font);
        return static_cast<int>(mrOk);
    });
    // A failed command is reported with the error icon.
    int kind = -1;
    QString text;
    TVkForm::SetModalHook([&](TVkForm& form) {
        auto& m = dynamic_cast<TMessageForm&>(form);
        kind = m.Kind();
        text = m.Message();
        return static_cast<int>(mrOk);
    });
    ShowExceptionMessage(std::runtime_error("disk full"));
    TVkForm::SetModalHook(nullptr);
    EXPECT_EQ(kind, mkError);
    EXPECT_EQ(text, "disk full");
}

} // namespace
} // namespace tavro
