#include "controls/num_edit.h"

#include "controls/message_dialog.h"
#include "controls/vk_form.h"

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace tavro {
namespace {

struct Shown {
    QString message, title;
    int kind;
};

// A window with two pressure fields (600 ... 1100, validating) and a
// button, active and with the focus in the first field. Message dialogs
// are answered at once and recorded.
class NumEditTest : public testing::Test {
protected:
    void SetUp() override {
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        a_ = new TNumEdit;
        b_ = new TNumEdit;
        for (TNumEdit* e : {a_, b_}) {
            e->SetMinValue(600);
            e->SetMaxValue(1100);
            e->SetValidation(true);
            e->SetContent(QStringLiteral("Air pressure"));
            e->SetErrorMessage(QStringLiteral("Please enter a number between %g and %g"));
            e->SetValue(1013);
            e->OnCalculate = [this](TCustomNumEdit& sender) { calculated_.push_back(&sender); };
            e->OnReturn = [this](TCustomNumEdit& sender) { returned_.push_back(&sender); };
            layout->addWidget(e);
        }
        layout->addWidget(new QPushButton(QStringLiteral("OK")));
        TVkForm::SetModalHook([this](TVkForm& form) {
            const auto* m = dynamic_cast<TMessageForm*>(&form);
            if (m != nullptr) shown_.push_back({m->Message(), m->Title(), m->Kind()});
            // Let the platform move the activation, as while a person reads.
            if (waitInDialog_) QTest::qWait(5);
            return static_cast<int>(mrOk);
        });
        window_->show();
        Activate();
        a_->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return a_->hasFocus(); }));
    }
    void TearDown() override {
        TVkForm::SetModalHook(nullptr);
        window_.reset();
        DecimalSeparator = '.';
        ThousandSeparator = ',';
    }
    void Activate() {
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    // Replaces the text of the field with the focus as a person types it.
    static void Type(QWidget* field, const char* text) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromLatin1(text));
    }
    // The field that has the focus once the window is active again.
    QWidget* FocusAfterMessage() {
        Activate();
        QApplication::processEvents();
        return QApplication::focusWidget();
    }

    std::unique_ptr<QWidget> window_;
    TNumEdit* a_ = nullptr;
    TNumEdit* b_ = nullptr;
    std::vector<TCustomNumEdit*> calculated_;
    std::vector<TCustomNumEdit*> returned_;
    std::vector<Shown> shown_;
    bool waitInDialog_ = true;
};

TEST_F(NumEditTest, DefaultsUnderTheirPropertyNames) {
    TNumEdit n;
    EXPECT_EQ(n.property("Alignment").value<Qt::Alignment>(), Qt::AlignRight);
    EXPECT_EQ(n.property("Value").toDouble(), 0);
    EXPECT_EQ(n.property("Format").toInt(), ffFixed);
    EXPECT_EQ(n.property("Digits").toInt(), 2);
    EXPECT_EQ(n.property("Precision").toInt(), 10);
    EXPECT_EQ(n.property("MinValue").toDouble(), 0);
    EXPECT_EQ(n.property("MaxValue").toDouble(), 0);
    EXPECT_TRUE(n.property("Content").toString().isEmpty());
    EXPECT_TRUE(n.property("ErrorMessage").toString().isEmpty());
    EXPECT_FALSE(n.property("Validation").toBool());
    EXPECT_EQ(n.text(), "0.00");
    TIntEdit i;
    EXPECT_EQ(i.property("Value").toInt(), 0);
    EXPECT_EQ(i.text(), "0");
    EXPECT_FALSE(i.property("Format").isValid()); // no number format
    EXPECT_EQ(i.Alignment(), Qt::AlignRight);
}

TEST_F(NumEditTest, FormatChangesShowTheValueAgain) {
    TNumEdit n;
    n.SetValue(1234.5678);
    EXPECT_EQ(n.text(), "1234.57");
    n.SetDigits(3);
    EXPECT_EQ(n.text(), "1234.568");
    n.SetFormat(ffNumber);
    EXPECT_EQ(n.text(), "1,234.568");
    n.SetPrecision(5);
    EXPECT_EQ(n.text(), "1,234.600");
    n.SetFormat(ffGeneral);
    EXPECT_EQ(n.text(), "1234.6");
    n.SetFormat(ffExponent);
    EXPECT_EQ(n.text(), "1.2346E+003");
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    n.setProperty("Format", static_cast<int>(ffNumber));
    EXPECT_EQ(n.text(), "1.234,600");
    EXPECT_FALSE(n.isModified()); // a value shown is no user change
}

TEST_F(NumEditTest, LimitsAreInclusive) {
    Type(a_, "600");
    QTest::keyClick(a_, Qt::Key_Return);
    EXPECT_EQ(a_->Value(), 600);
    EXPECT_EQ(a_->text(), "600.00");
    Type(a_, "1100");
    QTest::keyClick(a_, Qt::Key_Return);
    EXPECT_EQ(a_->Value(), 1100);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(calculated_.size(), 2u);

    Type(a_, "1100.0001");
    QTest::keyClick(a_, Qt::Key_Return);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].message, "Please enter a number between 600 and 1100");
    EXPECT_EQ(shown_[0].title, "Air pressure");
    EXPECT_EQ(shown_[0].kind, mkWarning);
    EXPECT_EQ(calculated_.size(), 2u); // nothing committed
    EXPECT_EQ(returned_.size(), 2u);
    EXPECT_EQ(a_->text(), "1100.0001"); // the text stays for correcting
    EXPECT_EQ(FocusAfterMessage(), a_);
}

TEST_F(NumEditTest, DecimalCommaAcceptsCommaAndRejectsPoint) {
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    Type(a_, "1013,5");
    QTest::keyClick(a_, Qt::Key_Return);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(a_->Value(), 1013.5);
    EXPECT_EQ(a_->text(), "1013,50");

    Type(a_, "1013.5");
    QTest::keyClick(a_, Qt::Key_Return);
    ASSERT_EQ(shown_.size(), 1u); // not a number: the range message
    EXPECT_EQ(a_->text(), "1013.5");

    // Reading a text that is no number fails with a conversion error.
    EXPECT_THROW(a_->Value(), ConversionError);
}

TEST_F(NumEditTest, TextThatIsNoNumberGetsTheRangeMessageAlsoWithoutValidation) {
    // Without validation any number is taken, but a text that is none is
    // answered like a number out of range: the range message titled with
    // the content, the field keeping the focus and the text.
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    a_->SetValidation(false);
    TIntEdit* n = new TIntEdit;
    window_->layout()->addWidget(n);
    n->SetMinValue(100);
    n->SetMaxValue(12000);
    n->SetContent(QStringLiteral("Package width"));
    n->SetErrorMessage(QStringLiteral("Please enter a number between %g and %g"));
    n->OnCalculate = [this](TCustomNumEdit& sender) { calculated_.push_back(&sender); };
    struct Case {
        TCustomNumEdit* field;
        const char* typed;
        const char* message;
    };
    for (const Case& c : {Case{a_, "40.5", "Please enter a number between 600 and 1100"},
                          Case{a_, "abc", "Please enter a number between 600 and 1100"},
                          Case{a_, "", "Please enter a number between 600 and 1100"},
                          Case{n, "abc", "Please enter a number between 100 and 12000"},
                          Case{n, "5e12", "Please enter a number between 100 and 12000"}}) {
        SCOPED_TRACE(c.typed);
        shown_.clear();
        c.field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.field->hasFocus(); }));
        Type(c.field, c.typed);
        QTest::keyClick(c.field, Qt::Key_Delete); // an empty text too
        QTest::keyClick(c.field, Qt::Key_Tab);
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_EQ(shown_[0].message, c.message);
        EXPECT_EQ(shown_[0].title, c.field == a_ ? "Air pressure" : "Package width");
        EXPECT_EQ(shown_[0].kind, mkWarning);
        EXPECT_EQ(FocusAfterMessage(), c.field);
        EXPECT_EQ(c.field->text(), c.typed);
        EXPECT_FALSE(c.field->IsTextValid());
        c.field->setText(QStringLiteral("1000"));
        c.field->setModified(false);
    }
    EXPECT_TRUE(calculated_.empty());
    // A number out of the range is taken when the field does not check it.
    a_->setFocus();
    Type(a_, "40,5");
    QTest::keyClick(a_, Qt::Key_Return);
    EXPECT_EQ(a_->Value(), 40.5);
    EXPECT_EQ(calculated_.size(), 1u);
}

TEST_F(NumEditTest, EmptyErrorMessageFallsBackToTheRangeText) {
    TNumEdit n;
    n.SetMinValue(-30);
    n.SetMaxValue(80);
    EXPECT_EQ(n.RangeMessage(), "Please enter a number between -30 and 80");
}

TEST_F(NumEditTest, RangeMessageUsesPercentGAndTheSeparator) {
    TNumEdit n;
    n.SetMinValue(0.6);
    n.SetMaxValue(1.08);
    n.SetErrorMessage(QStringLiteral("Bitte eine Zahl zwischen %g und %g eingeben (100%%) %d %g"));
    DecimalSeparator = ',';
    EXPECT_EQ(n.RangeMessage(), "Bitte eine Zahl zwischen 0,6 und 1,08 eingeben (100%) %d %g");
    n.SetMinValue(-2140);
    n.SetMaxValue(1234567);
    n.SetErrorMessage(QStringLiteral("%g ... %.7g"));
    EXPECT_EQ(n.RangeMessage(), "-2140 ... 1234567");
}

TEST_F(NumEditTest, EnterThenTabCommitsOnceAndTabAloneNever) {
    Type(a_, "700");
    QTest::keyClick(a_, Qt::Key_Return);
    ASSERT_EQ(calculated_.size(), 1u);
    ASSERT_EQ(returned_.size(), 1u);
    EXPECT_FALSE(a_->isModified()); // taken: leaving the field is no change
    EXPECT_TRUE(a_->isReadOnly());
    EXPECT_EQ(a_->selectedText(), "700.00");

    QTest::keyClick(a_, Qt::Key_Tab);
    EXPECT_TRUE(b_->hasFocus());
    EXPECT_EQ(calculated_.size(), 1u);
    EXPECT_EQ(returned_.size(), 1u); // OnReturn is Enter's only

    // Back and forth without a change: nothing.
    QTest::keyClick(b_, Qt::Key_Backtab);
    EXPECT_TRUE(a_->hasFocus());
    EXPECT_EQ(a_->selectedText(), a_->text()); // entering selects all
    QTest::keyClick(a_, Qt::Key_Tab);
    EXPECT_EQ(calculated_.size(), 1u);
    EXPECT_TRUE(shown_.empty());

    // The same number typed again is no change either.
    QTest::keyClick(b_, Qt::Key_Backtab);
    Type(a_, "700.0");
    QTest::keyClick(a_, Qt::Key_Tab);
    EXPECT_EQ(calculated_.size(), 1u);
    EXPECT_EQ(a_->text(), "700.00");

    // Enter without a change still announces Return, but no calculation;
    // a key after it makes the field editable again.
    QTest::keyClick(b_, Qt::Key_Return);
    EXPECT_EQ(calculated_.size(), 1u);
    EXPECT_EQ(returned_.size(), 2u);
    QTest::keyClick(b_, Qt::Key_9);
    EXPECT_FALSE(b_->isReadOnly());
    EXPECT_EQ(b_->text(), "9");
}

TEST_F(NumEditTest, RejectedFieldKeepsFocusWithOneMessage) {
    // Once with the activation moving to the dialog and back, once with the
    // window staying active throughout.
    for (bool wait : {true, false}) {
        SCOPED_TRACE(wait ? "activation moves" : "window stays active");
        waitInDialog_ = wait;
        shown_.clear();
        calculated_.clear();
        a_->SetValue(1013);
        b_->SetValue(1013);
        a_->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return a_->hasFocus(); }));
        // The field that would take the focus holds an invalid modified
        // text too: taking the focus back from it must not validate it.
        b_->setText(QStringLiteral("9999"));
        b_->setModified(true);
        Type(a_, "5000");
        QTest::keyClick(a_, Qt::Key_Tab);
        EXPECT_EQ(shown_.size(), 1u);
        EXPECT_EQ(FocusAfterMessage(), a_);
        EXPECT_EQ(shown_.size(), 1u);
        EXPECT_TRUE(calculated_.empty());
        EXPECT_TRUE(a_->isModified());
        EXPECT_EQ(a_->text(), "5000");
        EXPECT_EQ(a_->selectedText(), "5000"); // ready to be typed over
        EXPECT_EQ(a_->Value(), 5000);          // the reader still gets the typed number

        // Corrected, the field lets the focus go and commits.
        Type(a_, "950");
        QTest::keyClick(a_, Qt::Key_Tab);
        EXPECT_EQ(shown_.size(), 1u);
        EXPECT_TRUE(b_->hasFocus());
        ASSERT_EQ(calculated_.size(), 1u);
        EXPECT_EQ(a_->text(), "950.00");
    }
}

TEST_F(NumEditTest, OtherWindowsAndEnterLeaveTheDialogAlone) {
    Type(a_, "5000");
    // Switching to another window or a menu validates nothing.
    for (Qt::FocusReason reason :
         {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(a_, &out);
    }
    EXPECT_TRUE(shown_.empty());
    // Enter is taken by the field, so a window's default button never sees it.
    Type(a_, "800");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(a_, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(a_->Value(), 800);
}

TEST_F(NumEditTest, IntEditRoundsNonWholeNumbers) {
    TIntEdit* n = new TIntEdit;
    window_->layout()->addWidget(n);
    n->SetMinValue(1);
    n->SetMaxValue(10);
    n->SetValidation(true);
    n->SetErrorMessage(QStringLiteral("between %g and %g"));
    int calculations = 0;
    n->OnCalculate = [&](TCustomNumEdit&) { ++calculations; };
    n->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return n->hasFocus(); }));
    struct Case {
        const char* typed;
        int value;
    };
    for (const Case& c :
         {Case{"1.5", 2}, Case{"2.5", 2}, Case{"3.5", 4}, Case{"7", 7}, Case{"9.6", 10}}) {
        Type(n, c.typed);
        QTest::keyClick(n, Qt::Key_Return);
        EXPECT_EQ(n->Value(), c.value) << c.typed;
        EXPECT_EQ(n->text(), QString::number(c.value)) << c.typed;
    }
    EXPECT_EQ(calculations, 4); // 2.5 gives the 2 it had already
    EXPECT_TRUE(shown_.empty());
    // Out of range, or rounded out of it: the range message.
    for (const char* typed : {"0.4", "10.6", "abc"}) {
        Type(n, typed);
        QTest::keyClick(n, Qt::Key_Return);
    }
    EXPECT_EQ(shown_.size(), 3u);
    EXPECT_EQ(calculations, 4);
    n->SetMinValue(0.5);
    n->SetMaxValue(0.7);
    Type(n, "0.6"); // in the range, but 1 is not
    QTest::keyClick(n, Qt::Key_Return);
    EXPECT_EQ(shown_.size(), 4u);

    // Without validation: numbers are rounded, the rest cannot be read.
    n->SetValidation(false);
    for (const char* bad : {"abc", "1e12", ""}) {
        n->setText(QString::fromLatin1(bad));
        n->setModified(true);
        EXPECT_THROW(n->Value(), ConversionError) << bad;
    }
    n->setText(QStringLiteral("-2.5"));
    n->setModified(true);
    EXPECT_EQ(n->Value(), -2);
}

TEST(AlignComboBox, DrawsItemsAlignedAndInset) {
    TAlignComboBox combo;
    EXPECT_EQ(combo.Alignment(), Qt::AlignRight);
    EXPECT_EQ(combo.ItemHeight(), 16);
    combo.addItems({QStringLiteral("MMMM"), QStringLiteral("x")});
    const QRect rect(0, 0, 120, 16);
    auto inkColumns = [&](Qt::Alignment alignment) {
        combo.SetAlignment(alignment);
        QImage image(rect.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        combo.DrawItem(p, 0, rect, QStyle::State_None);
        p.end();
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    if (first < 0) first = x;
                    last = x;
                }
            }
        }
        return std::pair(first, last);
    };
    const auto [rl, rr] = inkColumns(Qt::AlignRight);
    EXPECT_GE(rr, 110);
    EXPECT_LE(rr, 117); // 2 pixels in from the right edge
    const auto [ll, lr] = inkColumns(Qt::AlignLeft);
    EXPECT_GE(ll, 2);
    EXPECT_LE(ll, 5);
    const auto [cl, cr] = inkColumns(Qt::AlignHCenter);
    EXPECT_NEAR((cl + cr) / 2.0, 60, 3);
    EXPECT_NEAR(rr - rl, lr - ll, 1);

    // An own drawing handler replaces the drawing; its failures are ignored.
    combo.OnDrawItem = [](QPainter&, int, const QRect&, QStyle::State) {
        throw std::runtime_error("broken");
    };
    QImage image(200, 40, QImage::Format_RGB32);
    combo.resize(200, 40);
    combo.render(&image);
}

} // namespace
} // namespace tavro
