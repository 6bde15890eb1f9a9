// The air entries of the main window as a user makes them: an entry still
// being typed when Calculate is pressed, commits that change nothing, texts
// that are no number, and the Tab order.

#include "tests/support/tavro_window_fixture.h"

#include "chart/mollier_window.h"
#include "controls/num_edit.h"
#include "output/page_list.h"
#include "output/page_preview.h"
#include "output/page_preview_window.h"
#include "shell/qt/qt_text.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace tavro {
namespace {

class ProductInputs : public test::TavroWindowTest {
protected:
    void SetUp() override {
        TavroWindowTest::SetUp();
        InstallPagePreview();
        Start();
    }
    void TearDown() override {
        TavroWindowTest::TearDown();
        SetPreviewRunner(nullptr);
    }
    int OnModal(TVkForm& form) override {
        if (dynamic_cast<TFormMollier*>(&form) != nullptr) ++charts_;
        if (dynamic_cast<TFormSeite*>(&form) != nullptr) ++previews_;
        return mrOk;
    }
    /// Types a text into an edit without committing it.
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }

    int charts_ = 0;
    int previews_ = 0;
};

TEST_F(ProductInputs, CalculateTakesAnEntryBeingTypedThroughItsFieldFirst) {
    TFormTavro& w = *window_;
    // Out of the field's range: its own message, nothing calculated, by F9
    // and by the button alike (the click that tried to leave the field does
    // nothing else).
    Type(w.Edit_Temp[0][0], QStringLiteral("-31"));
    Calculate();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], QStringLiteral("Please enter a number between -30 and 80"));
    EXPECT_EQ(titles_[0], QStringLiteral("Temperature"));
    EXPECT_FALSE(w.ResultsValid);
    EXPECT_EQ(w.Daten->Temp11, -12);
    EXPECT_EQ(Focus(), w.Edit_Temp[0][0]);
    QTest::mouseClick(w.Button_Berechnen, Qt::LeftButton);
    EXPECT_EQ(messages_.size(), 2u);
    EXPECT_FALSE(w.ResultsValid);
    EXPECT_EQ(Focus(), w.Edit_Temp[0][0]);

    // In its range but too much air: the limit checks judge the typed
    // 6000 m³/h exactly as a committed one.
    Type(w.Edit_Temp[0][0], QStringLiteral("-12"));
    Type(w.Edit_SVol[0][1], QStringLiteral("6000"));
    messages_.clear();
    Calculate();
    EXPECT_EQ(w.Daten->SVol21, 6000);
    EXPECT_TRUE(w.Warnings.count(6));
    EXPECT_TRUE(w.Warnings.count(12));
    EXPECT_FALSE(w.ResultsValid);
    ASSERT_EQ(messages_.size(), 1u);
    const QString typed = messages_[0];
    const std::set<int> typedWarnings = w.Warnings;
    Restart();
    Enter(window_->Edit_SVol[0][1], QStringLiteral("6000"));
    messages_.clear();
    Calculate();
    EXPECT_EQ(window_->Warnings, typedWarnings);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], typed);
}

TEST_F(ProductInputs, CommitOfAnUnchangedValueKeepsTheResults) {
    TFormTavro& w = *window_;
    Enter(w.Edit_SVol[0][0], QStringLiteral("2100"));
    Calculate();
    ASSERT_TRUE(w.ResultsValid);
    // The click moves the focus out of the field committed with Enter.
    QTest::mouseClick(w.Button_Datenblatt, Qt::LeftButton);
    EXPECT_EQ(previews_, 1);
    EXPECT_TRUE(w.ResultsValid);
    // The preview hid the main window; it is the active one again.
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    Enter(w.Edit_Feuchte[0][1], QStringLiteral("45"));
    Calculate();
    QTest::mouseClick(w.Button_Diagramm, Qt::LeftButton);
    EXPECT_EQ(charts_, 1);
    EXPECT_TRUE(w.ResultsValid);

    // The same number typed again is no change either.
    Type(w.Edit_Feuchte[0][1], QStringLiteral("45.00"));
    QTest::keyClick(w.Edit_Feuchte[0][1], Qt::Key_Tab);
    EXPECT_TRUE(w.ResultsValid);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ProductInputs, TextThatIsNoNumberGetsTheFieldsRangeMessageInTheUsersLanguage) {
    TFormTavro& w = *window_;
    w.MenuItem(QStringLiteral("Menu_Optionen_Deutsch"))->trigger();
    DecimalSeparator = ',';
    struct Case {
        QLineEdit* field;
        const char* typed;
        int title;
        const char* message;
    };
    const Case cases[] = {
        {w.Edit_Feuchte[0][0], "abc", 13, "Bitte eine Zahl zwischen 0 und 100 eingeben"},
        {w.Edit_Feuchte[0][1], "40.5", 13, "Bitte eine Zahl zwischen 0 und 100 eingeben"},
        {w.Edit_SVol[0][0], "abc", 16, "Bitte eine Zahl zwischen 1 und 999999 eingeben"},
        {w.Edit_SVol[0][1], "", 16, "Bitte eine Zahl zwischen 1 und 999999 eingeben"},
        {w.Edit_Temp[0][1], "x", 12, "Bitte eine Zahl zwischen -30 und 80 eingeben"},
        {w.Edit_GBreite, "abc", 92, "Bitte eine Zahl zwischen 100 und 12000 eingeben"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field->objectName().toStdString() + " " + c.typed);
        messages_.clear();
        titles_.clear();
        Type(c.field, QString::fromLatin1(c.typed));
        QTest::keyClick(c.field, Qt::Key_Tab);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0], QString::fromUtf8(c.message));
        EXPECT_EQ(titles_[0], TextOf(c.title));
        EXPECT_EQ(Focus(), c.field);
        // Put right for the next case.
        c.field->setText(QStringLiteral("50"));
        c.field->setModified(false);
    }
    // The humidity field names what it takes in the other modes.
    w.SetHumidityMode(1);
    messages_.clear();
    titles_.clear();
    Type(w.Edit_Feuchte[0][0], QStringLiteral("?"));
    QTest::keyClick(w.Edit_Feuchte[0][0], Qt::Key_Return);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], QStringLiteral("Bitte eine Zahl zwischen 0 und 150 eingeben"));
    EXPECT_EQ(titles_[0], TextOf(14));
}

TEST_F(ProductInputs, TabFollowsTheScreen) {
    TFormTavro& w = *window_;
    w.Edit_SVol[0][0]->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Edit_SVol[0][0]->hasFocus(); }));
    std::vector<QWidget*> order;
    for (int i = 0; i < 14; ++i) {
        QTest::keyClick(Focus(), Qt::Key_Tab);
        order.push_back(Focus());
    }
    // Diagram and Data sheet are disabled without results.
    const std::vector<QWidget*> expected = {w.Edit_SVol[0][1],
                                            w.Edit_Temp[0][0],
                                            w.Edit_Temp[0][1],
                                            w.Edit_Feuchte[0][0],
                                            w.Edit_Feuchte[0][1],
                                            w.RegisterDaten->findChild<QTabBar*>(),
                                            w.Combo_GKante,
                                            w.Edit_GBreite,
                                            w.Combo_PAbstand,
                                            w.Button_Vorauswahl,
                                            w.Button_Berechnen,
                                            w.Button_Bauform,
                                            w.Button_Produktbeschreibung,
                                            w.Edit_SVol[0][0]};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(order[i], expected[i])
            << "step " << i + 1 << ": "
            << (order[i] ? order[i]->objectName().toStdString() : std::string("none"));
    }
    // With both cases each row runs through the heating, then the cooling
    // columns.
    w.SetSeasons(true);
    w.SetOperatingCases(2);
    w.Edit_Temp[0][1]->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Edit_Temp[0][1]->hasFocus(); }));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    EXPECT_EQ(Focus(), w.Edit_Temp[1][0]);
    QTest::keyClick(Focus(), Qt::Key_Tab);
    EXPECT_EQ(Focus(), w.Edit_Temp[1][1]);
    QTest::keyClick(Focus(), Qt::Key_Tab);
    EXPECT_EQ(Focus(), w.Edit_Feuchte[0][0]);
}

} // namespace
} // namespace tavro
