#include "shell/windows/options_window.h"

#include "controls/message_dialog.h"
#include "controls/num_edit.h"
#include "controls/vk_controls.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "shell/windows/options_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace tavro {
namespace {

class Options : public testing::Test {
protected:
    void SetUp() override {
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
        dialog_ = std::make_unique<TFormOptionen>();
        dialog_->ShowUnitSystem(true);
        dialog_->ShowPressure(1013);
        dialog_->show();
        QApplication::setActiveWindow(dialog_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    }
    void TearDown() override {
        TVkForm::SetModalHook(nullptr);
        dialog_.reset();
    }
    // Types a value into a field and commits it with Enter.
    void Enter(TNumEdit* field, const char* text) {
        dialog_->PageControl1->setCurrentIndex(0);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
        QTest::keyClick(field, Qt::Key_Return);
    }
    std::unique_ptr<TFormOptionen> dialog_;
};

TEST_F(Options, AltitudeGivesThePressure) {
    Enter(dialog_->Edit_HoeheNN, "500");
    EXPECT_EQ(dialog_->Edit_Luftdruck->text(), QStringLiteral("954.352549"));
    EXPECT_EQ(dialog_->Edit_HoeheNN->text(), QStringLiteral("500"));
    EXPECT_NEAR(dialog_->Pressure(), 954.352549, 1e-6);
    Enter(dialog_->Edit_Luftdruck, "1013");
    EXPECT_EQ(dialog_->Edit_HoeheNN->text(), QStringLiteral("0"));
}

TEST_F(Options, SwitchingUnitsConvertsTheValuesAndTheRanges) {
    dialog_->ShowPressure(954.352549);
    dialog_->RadioButton_US->click();
    EXPECT_FALSE(dialog_->UnitSI());
    EXPECT_EQ(dialog_->Label_mbar->text(), QStringLiteral("atm"));
    EXPECT_EQ(dialog_->Label_m->text(), QStringLiteral("ft"));
    EXPECT_NEAR(dialog_->Edit_Luftdruck->Value(), 954.352549 / 1013, 1e-9);
    EXPECT_NEAR(dialog_->Edit_HoeheNN->Value(), 500 * 3.2808, 1e-4);
    EXPECT_EQ(dialog_->Edit_Luftdruck->MinValue(), 0.6);
    EXPECT_EQ(dialog_->Edit_Luftdruck->MaxValue(), 1.08);
    EXPECT_EQ(dialog_->Edit_HoeheNN->MinValue(), -2140);
    EXPECT_EQ(dialog_->Edit_HoeheNN->MaxValue(), 13500);
    dialog_->RadioButton_SI->click();
    EXPECT_NEAR(dialog_->Edit_Luftdruck->Value(), 954.352549, 1e-6);
    EXPECT_NEAR(dialog_->Edit_HoeheNN->Value(), 500, 1e-6);
    EXPECT_EQ(dialog_->Edit_Luftdruck->MaxValue(), 1100);
    // The pressure kept in the dialog is always in mbar.
    EXPECT_NEAR(dialog_->Pressure(), 954.352549, 1e-6);
}

TEST_F(Options, OutOfRangePressureIsRejectedWithTheLimits) {
    QString message;
    TVkForm::SetModalHook([&message](TVkForm& form) {
        if (auto* m = dynamic_cast<TMessageForm*>(&form)) message = m->Message();
        return int(mrOk);
    });
    Enter(dialog_->Edit_Luftdruck, "1200");
    EXPECT_EQ(message, QStringLiteral("Please enter a number between 600 and 1100"));
    EXPECT_EQ(dialog_->Pressure(), 1013);
}

TEST_F(Options, DerivedValuesStayInTheirFieldsRanges) {
    std::vector<QString> messages;
    TVkForm::SetModalHook([&messages](TVkForm& form) {
        if (auto* m = dynamic_cast<TMessageForm*>(&form)) messages.push_back(m->Message());
        return int(mrOk);
    });
    // Enter in the other field, untouched, must take what it shows.
    auto enterUntouched = [this](TNumEdit* field) {
        field->setFocus();
        field->setModified(false);
        QTest::keyClick(field, Qt::Key_Return);
    };
    struct Case {
        bool si;
        const char* pressure;
        double altitude; // as shown, within 0.1 m or ft
    };
    // 1100 mbar is -700.18 m, 600 mbar 4203.03 m, 1.08 atm -2150.2 ft.
    for (const Case& c : {Case{true, "1100", -700}, Case{true, "600", 4200},
                          Case{false, "1.08", -2140}, Case{false, "0.6", 13465.5}}) {
        SCOPED_TRACE(c.pressure);
        dialog_->ShowUnitSystem(c.si);
        Enter(dialog_->Edit_Luftdruck, c.pressure);
        EXPECT_NEAR(dialog_->Edit_HoeheNN->Value(), c.altitude, 0.1);
        const double pressure = dialog_->Pressure();
        enterUntouched(dialog_->Edit_HoeheNN);
        EXPECT_EQ(dialog_->Pressure(), pressure);
    }
    // 1100 mbar handed in is shown in atm within that field's range too.
    dialog_->ShowUnitSystem(false);
    dialog_->ShowPressure(1100);
    EXPECT_EQ(dialog_->Edit_Luftdruck->Value(), 1.08);
    enterUntouched(dialog_->Edit_Luftdruck);
    EXPECT_EQ(dialog_->Pressure(), 1100);
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
}

TEST_F(Options, UnitsPageOpensAtTheTop) {
    dialog_->PageControl1->setCurrentWidget(dialog_->Seite_Einheiten);
    QApplication::processEvents();
    QTableWidget* t = dialog_->Tabelle_Einheiten;
    EXPECT_EQ(t->verticalScrollBar()->value(), 0);
    EXPECT_EQ(t->rowAt(1), 0);
    EXPECT_EQ(t->currentRow(), 12);
}

// The dialog shown with EditOptions, answered by `act`; message boxes are
// collected.
class ModalOptions : public testing::Test {
protected:
    void SetUp() override {
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
        values_.SI = false;
        values_.DecimalSeparator = ".";
        values_.ThousandSeparator = ",";
    }
    void TearDown() override {
        TVkForm::SetModalHook(nullptr);
        delete OptionsDialog();
    }
    bool Run(const std::function<void(TFormOptionen&)>& act) {
        TVkForm::SetModalHook([this, act](TVkForm& form) {
            if (auto* m = dynamic_cast<TMessageForm*>(&form)) {
                messages_.push_back(m->Message());
                titles_.push_back(m->Title());
                return int(mrOk);
            }
            auto& d = dynamic_cast<TFormOptionen&>(form);
            QApplication::setActiveWindow(&d);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            act(d);
            return int(mrCancel);
        });
        return EditOptions(nullptr, values_);
    }
    static void Type(TNumEdit* field, const char* text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
    }
    OptionsValues values_;
    std::vector<QString> messages_;
    std::vector<QString> titles_;
};

TEST_F(ModalOptions, CancelClosesWhileAFieldHoldsARefusedValue) {
    int result = mrNone;
    EXPECT_FALSE(Run([&](TFormOptionen& d) {
        d.PageControl1->setCurrentIndex(0);
        Type(d.Edit_Luftdruck, "0.59");
        QTest::keyClick(d.Edit_Luftdruck, Qt::Key_Return);
        d.Edit_DecimalSeparator->setText(QStringLiteral(","));
        d.Edit_ThousandSeparator->setText(QStringLiteral("."));
        QTest::mouseClick(d.Button_Cancel, Qt::LeftButton);
        result = d.GetModalResult();
    }));
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(messages_.size(), 1u); // Enter's, not another one for Cancel
    EXPECT_EQ(messages_[0], QStringLiteral("Please enter a number between 0.6 and 1.08"));
    EXPECT_EQ(values_.pbar, 1013);
    EXPECT_EQ(values_.DecimalSeparator, ".");
    // Shown again, the dialog holds the values handed in.
    EXPECT_FALSE(Run([](TFormOptionen& d) {
        EXPECT_FALSE(d.Edit_Luftdruck->isModified());
        EXPECT_NEAR(d.Edit_Luftdruck->Value(), 1, 1e-12);
        EXPECT_EQ(d.Edit_DecimalSeparator->text(), QStringLiteral("."));
    }));
}

TEST_F(ModalOptions, OkWaitsUntilTheFieldsAreRight) {
    int refused = -1;
    EXPECT_TRUE(Run([&](TFormOptionen& d) {
        d.PageControl1->setCurrentIndex(0);
        Type(d.Edit_Luftdruck, "0.59");
        QTest::mouseClick(d.Button_OK, Qt::LeftButton);
        refused = d.GetModalResult();
        Type(d.Edit_Luftdruck, "0.9");
        QTest::mouseClick(d.Button_OK, Qt::LeftButton);
    }));
    EXPECT_EQ(refused, mrNone);
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_NEAR(values_.pbar, 0.9 * 1013, 1e-9);
}

TEST_F(ModalOptions, SeparatorsThatWouldGarbleNumbersAreRefused) {
    struct Case {
        const char* decimal; // UTF-8; empty keeps the one handed in
        const char* thousands;
        int message; // 0: taken
        int title;
    };
    const Case cases[] = {
        {"0", "", 600, 207}, {"e", "", 600, 207},  {"-", "", 600, 207},
        {" ", "", 600, 207}, {"\t", "", 600, 207}, {"\xC2\xB7", "", 600, 207},
        {"", "5", 601, 208}, {"", "x", 601, 208},  {"", "\xC3\xA4", 601, 208},
        {",", "", 602, 207}, {"", ".", 602, 208},  {",", ".", 0, 0},
        {",", " ", 0, 0},    {"", "'", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.decimal + "' '" + c.thousands + "'");
        messages_.clear();
        titles_.clear();
        values_.DecimalSeparator = ".";
        values_.ThousandSeparator = ",";
        QWidget* focus = nullptr;
        int result = mrNone;
        const bool ok = Run([&](TFormOptionen& d) {
            d.Edit_DecimalSeparator->setText(QString::fromUtf8(c.decimal));
            d.Edit_ThousandSeparator->setText(QString::fromUtf8(c.thousands));
            d.PageControl1->setCurrentIndex(0);
            d.Button_OK->click();
            result = d.GetModalResult();
            focus = QApplication::focusWidget();
            if (c.message != 0) {
                EXPECT_EQ(d.PageControl1->currentWidget(), d.Seite_Einheiten);
                EXPECT_EQ(focus,
                          c.title == 207 ? d.Edit_DecimalSeparator : d.Edit_ThousandSeparator);
            }
        });
        if (c.message == 0) {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(messages_.empty());
            continue;
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(result, mrNone);
        ASSERT_EQ(messages_.size(), 1u);
        QString text = TextOf(c.message);
        text.replace(QStringLiteral("%s"),
                     QString::fromUtf8(c.decimal[0] ? c.decimal : c.thousands));
        if (c.message != 602) {
            EXPECT_EQ(messages_[0], text);
        }
        EXPECT_EQ(titles_[0], TextOf(c.title));
        EXPECT_EQ(values_.DecimalSeparator, ".");
        EXPECT_EQ(values_.ThousandSeparator, ",");
    }
    EXPECT_EQ(TextOf(600), QStringLiteral("The character \"%s\" cannot be used as decimal "
                                          "separator. Please enter a punctuation mark such as a "
                                          "point or a comma."));
}

TEST_F(Options, ComboItemsAndTheirModes) {
    dialog_->Combo_Luftmenge->setCurrentIndex(2);
    dialog_->Combo_LuftmengeChange();
    EXPECT_EQ(dialog_->AirQuantityMode(), 3);
    dialog_->Combo_Feuchte->setCurrentIndex(2);
    dialog_->Combo_FeuchteChange();
    EXPECT_EQ(dialog_->HumidityMode(), 7);
    dialog_->ShowHumidityMode(1);
    EXPECT_EQ(dialog_->Combo_Feuchte->currentIndex(), 1);
    dialog_->ShowAirQuantityMode(3);
    EXPECT_EQ(dialog_->Combo_Luftmenge->currentIndex(), 2);
    EXPECT_EQ(dialog_->Combo_Luftmenge->itemText(2), QStringLiteral("Mass flow"));
}

TEST_F(Options, EfficiencyMethodDrivesTheTwoBoxes) {
    dialog_->RadioButton_PHI_USA->click();
    EXPECT_TRUE(dialog_->CheckBox_TotalEff->isChecked());
    EXPECT_TRUE(dialog_->CheckBox_TotalEff->isEnabled());
    EXPECT_FALSE(dialog_->CheckBox_TotalEff->isVisible());
    EXPECT_FALSE(dialog_->CheckBox_HCLASS->isChecked());
    EXPECT_FALSE(dialog_->CheckBox_HCLASS->isEnabled());
    dialog_->RadioButton_PHI_Europa->click();
    EXPECT_FALSE(dialog_->CheckBox_TotalEff->isChecked());
    EXPECT_TRUE(dialog_->CheckBox_HCLASS->isChecked());
    EXPECT_TRUE(dialog_->CheckBox_HCLASS->isEnabled());
}

TEST_F(Options, UnitTable) {
    QTableWidget* t = dialog_->Tabelle_Einheiten;
    EXPECT_EQ(t->rowCount(), 13);
    EXPECT_EQ(t->rowHeight(12), 0);
    EXPECT_EQ(t->currentRow(), 12);
    EXPECT_EQ(t->item(0, 0)->text(), QStringLiteral(" Air quantity"));
    EXPECT_EQ(t->item(0, 1)->text(), QStringLiteral("m³/h"));
    EXPECT_EQ(t->item(7, 2)->text(), QStringLiteral("in.W.G."));
    dialog_->Tabelle_EinheitenDblClick(3, 2);
    EXPECT_TRUE(dialog_->RadioButton_US->isChecked());
    EXPECT_FALSE(dialog_->UnitSI());
    dialog_->Tabelle_EinheitenDblClick(3, 1);
    EXPECT_TRUE(dialog_->UnitSI());
}

TEST_F(Options, CurrencyFieldIsHiddenWhenShown) {
    EXPECT_FALSE(dialog_->Edit_Currency->isVisible());
    EXPECT_FALSE(dialog_->Label_Currency->isVisible());
    EXPECT_EQ(dialog_->Edit_DecimalSeparator->maxLength(), 1);
}

TEST_F(Options, EditOptionsHandsValuesInAndBackOnlyOnOk) {
    OptionsValues v;
    v.SI = false;
    v.pbar = 900;
    v.AirState = 7;
    v.AirQuant = 3;
    v.DecimalSeparator = ",";
    v.ThousandSeparator = ".";
    v.USEffectiveness = true;
    v.TotalEff = true;
    TVkForm::SetModalHook([](TVkForm& form) {
        auto& d = dynamic_cast<TFormOptionen&>(form);
        EXPECT_FALSE(d.UnitSI());
        EXPECT_EQ(d.Combo_Feuchte->currentIndex(), 2);
        EXPECT_EQ(d.Edit_DecimalSeparator->text(), QStringLiteral(","));
        EXPECT_TRUE(d.RadioButton_PHI_USA->isChecked());
        d.RadioButton_SI->click();
        return int(mrOk);
    });
    ASSERT_TRUE(EditOptions(nullptr, v));
    EXPECT_TRUE(v.SI);
    EXPECT_NEAR(v.pbar, 900, 1e-9);
    EXPECT_EQ(v.AirState, 7);
    EXPECT_TRUE(v.TotalEff);
    TVkForm::SetModalHook([](TVkForm&) { return int(mrCancel); });
    OptionsValues unchanged = v;
    EXPECT_FALSE(EditOptions(nullptr, unchanged));
    delete OptionsDialog();
}

} // namespace
} // namespace tavro
