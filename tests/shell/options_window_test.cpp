#include "shell/options_window.h"

#include "controls/message_dialog.h"
#include "controls/num_edit.h"
#include "controls/vk_controls.h"
#include "shell/languages.h"
#include "shell/number_format.h"
#include "shell/options_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

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
