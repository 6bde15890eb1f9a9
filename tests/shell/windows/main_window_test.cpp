#include "shell/windows/main_window.h"

#include "controls/message_dialog.h"
#include "controls/num_edit.h"
#include "controls/vk_controls.h"
#include "output/notes_dialog.h"
#include "output/offer_header_dialog.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/version.h"
#include "shell/settings/shell_settings.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "shell/texts/texts.h"
#include "shell/windows/contact.h"
#include "shell/windows/options_window.h"
#include "tests/support/temp_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tavro {
namespace {

// A main window that counts the calls of the operations the shell makes.
class CountingWindow : public TFormBasis {
public:
    int calculations = 0;
    int captions = 0;
    int invalidations = 0;
    int optionsApplied = 0;
    bool failCalculation = false;

    void RunCalculation() override {
        ++calculations;
        if (failCalculation) throw std::runtime_error("no such picture");
    }
    void SetCaptions() override {
        TFormBasis::SetCaptions();
        ++captions;
    }
    void SetResultsValid(bool valid) override {
        if (!valid) ++invalidations;
    }
    void OptionsApplied() override {
        TFormBasis::OptionsApplied();
        ++optionsApplied;
    }
};

// Each test gets its own settings folder and starts in English.
class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        SetUrlOpener(
            [this](const QUrl& url) { opened_.push_back(url.toString(QUrl::FullyEncoded)); });
    }
    void TearDown() override {
        TVkForm::SetModalHook(nullptr);
        SetUrlOpener(nullptr);
        window_.reset();
        CurrentLanguage = kEnglish;
    }

    CountingWindow& Create() {
        window_ = std::make_unique<CountingWindow>();
        window_->Settings = std::make_unique<TIniDatei>(kSettingsFileName, kSettingsFolder);
        window_->Daten = std::make_unique<TDatenREK>();
        window_->DatenSommer = std::make_unique<TDatenREK>();
        window_->setWindowTitle(QStringLiteral("Tavro"));
        window_->FormCreate();
        window_->show();
        return *window_;
    }

    std::string SettingsFile() const { return test::ReadFile(home_.SettingsFile()); }

    void Trigger(const char* name) {
        QAction* a = window_->MenuItem(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }

    test::TempConfigHome home_;
    std::unique_ptr<CountingWindow> window_;
    std::vector<QString> opened_;
};

TEST_F(MainWindow, F9CalculatesFromAnywhere) {
    CountingWindow& w = Create();
    auto* field = new QLineEdit(w.Client);
    field->show();
    field->setFocus();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(field, Qt::Key_F9);
    EXPECT_EQ(w.calculations, 1);
    QTest::keyClick(&w, Qt::Key_F9);
    EXPECT_EQ(w.calculations, 2);
    QAction* hidden = w.MenuItem(QStringLiteral("Menu_Calculate"));
    ASSERT_NE(hidden, nullptr);
    for (QMenu* m : w.MainMenu1->findChildren<QMenu*>())
        EXPECT_FALSE(m->actions().contains(hidden));
}

TEST_F(MainWindow, FailingCommandShowsItsErrorAndTheProgramGoesOn) {
    CountingWindow& w = Create();
    w.failCalculation = true;
    QString message;
    int kind = -1;
    TVkForm::SetModalHook([&](TVkForm& form) {
        if (auto* m = dynamic_cast<TMessageForm*>(&form)) {
            message = m->Message();
            kind = m->Kind();
        }
        return int(mrOk);
    });
    w.MenuItem(QStringLiteral("Menu_Calculate"))->trigger();
    EXPECT_EQ(message, QStringLiteral("no such picture"));
    EXPECT_EQ(kind, mkError);
    w.failCalculation = false;
    w.MenuItem(QStringLiteral("Menu_Calculate"))->trigger();
    EXPECT_EQ(w.calculations, 2);
}

TEST_F(MainWindow, OnlyAvailableLanguagesAreOffered) {
    CountingWindow& w = Create();
    for (const char* name :
         {"Menu_Optionen_Deutsch", "Menu_Optionen_English", "Menu_Optionen_Francais",
          "Menu_Optionen_Polski", "Menu_Optionen_Russian", "Menu_Optionen_Chinese"}) {
        EXPECT_TRUE(w.MenuItem(QString::fromLatin1(name))->isVisible()) << name;
    }
    for (const char* name : {"Menu_Optionen_Espanol", "Menu_Optionen_Czech"}) {
        EXPECT_FALSE(w.MenuItem(QString::fromLatin1(name))->isVisible()) << name;
        EXPECT_FALSE(w.MenuItem(QString::fromLatin1(name))->isEnabled()) << name;
    }
    EXPECT_TRUE(w.MenuItem(QStringLiteral("Menu_Optionen_English"))->isChecked());
}

TEST_F(MainWindow, LanguageSwitchSetsEveryCaptionAndStoresTheLanguage) {
    CountingWindow& w = Create();
    Trigger("Menu_Optionen_Deutsch");
    EXPECT_EQ(CurrentLanguage, kGerman);
    EXPECT_EQ(w.MenuItem(QStringLiteral("Menu_Datei"))->text(), QStringLiteral("Datei"));
    EXPECT_EQ(w.MenuItem(QStringLiteral("Menu_Optionen_UseSeasons"))->text(),
              TextOf(272) + QStringLiteral(" / ") + TextOf(273));
    EXPECT_TRUE(w.MenuItem(QStringLiteral("Menu_Optionen_Deutsch"))->isChecked());
    EXPECT_NE(SettingsFile().find("Language=1"), std::string::npos);
    // The help items keep their captions in every language.
    EXPECT_EQ(w.MenuItem(QStringLiteral("Menu_Hilfe_Info"))->text(), QStringLiteral("Info"));
    EXPECT_EQ(w.MenuItem(QStringLiteral("Menu_Hilfe_Homepage"))->text(),
              QStringLiteral("Zelvanor Homepage"));
    Trigger("Menu_Optionen_Russian");
    EXPECT_EQ(w.MenuItem(QStringLiteral("Menu_Hilfe_EMail"))->text(),
              QStringLiteral("Zelvanor e-mail"));
    EXPECT_EQ(w.MenuItem(QStringLiteral("Menu_Datei"))->text(),
              QString::fromStdU16String(TableText(19000 + 145)));
}

TEST_F(MainWindow, ChoosingTheCurrentLanguageAgainStillStoresIt) {
    CountingWindow& w = Create();
    std::filesystem::remove(home_.SettingsFile());
    const int before = w.captions;
    Trigger("Menu_Optionen_English");
    EXPECT_EQ(w.captions, before + 1);
    EXPECT_NE(SettingsFile().find("Language=2"), std::string::npos);
}

TEST_F(MainWindow, NotesDialogStoresExactlyThreeLines) {
    CountingWindow& w = Create();
    TVkForm::SetModalHook([](TVkForm& form) {
        auto& d = dynamic_cast<TFormBemerkungen&>(form);
        d.Bem1->setText(QStringLiteral("first"));
        d.Bem2->setText(QStringLiteral("second"));
        d.Bem3->clear();
        return int(mrOk);
    });
    Trigger("Menu_Edit_Bem_Datenblatt");
    EXPECT_EQ(w.NotesDataSheet, (std::vector<std::string>{"first", "second", ""}));
    // Cancel changes nothing; the chart notes are a list of their own.
    TVkForm::SetModalHook([](TVkForm& form) {
        dynamic_cast<TFormBemerkungen&>(form).Bem1->setText(QStringLiteral("changed"));
        return int(mrCancel);
    });
    Trigger("Menu_Edit_Bem_Datenblatt");
    EXPECT_EQ(w.NotesDataSheet[0], "first");
    TVkForm::SetModalHook([](TVkForm& form) {
        auto& d = dynamic_cast<TFormBemerkungen&>(form);
        EXPECT_TRUE(d.Bem1->text().isEmpty()); // the chart notes were empty
        d.Bem1->setText(QStringLiteral("chart"));
        return int(mrOk);
    });
    Trigger("Menu_Edit_Bem_Diagramm");
    EXPECT_EQ(w.NotesChart.size(), 3u);
    EXPECT_EQ(w.NotesChart[0], "chart");
}

TEST_F(MainWindow, OfferHeaderTakesTheDialogOnlyOnOk) {
    CountingWindow& w = Create();
    w.Header[1] = "09.12.2026";
    TVkForm::SetModalHook([](TVkForm& form) {
        auto& d = dynamic_cast<TFormAngebot&>(form);
        EXPECT_EQ(d.Edits[1]->text(), QStringLiteral("09.12.2026"));
        d.Button_Vorgabe->click();
        d.Edits[3]->setText(QStringLiteral("A-4711"));
        d.CheckBox_AlsAngebot->setChecked(true);
        d.Button_OK->click();
        return int(mrNone);
    });
    Trigger("Menu_Edit_Kopfzeile");
    EXPECT_TRUE(w.PrintHeader);
    EXPECT_EQ(w.Header[0], "Date:");
    EXPECT_EQ(w.Header[2], "Offer-No.:");
    EXPECT_EQ(w.Header[3], "A-4711");
    EXPECT_EQ(w.Header[4], "Project:");
    EXPECT_EQ(w.Header[6], "Position:");
    TVkForm::SetModalHook([](TVkForm& form) {
        auto& d = dynamic_cast<TFormAngebot&>(form);
        d.Edits[5]->setText(QStringLiteral("never"));
        d.CheckBox_AlsAngebot->setChecked(false);
        return int(mrCancel);
    });
    Trigger("Menu_Edit_Kopfzeile");
    EXPECT_TRUE(w.PrintHeader);
    EXPECT_EQ(w.Header[5], "");
}

TEST_F(MainWindow, CancelledOptionsChangeNothing) {
    CountingWindow& w = Create();
    const bool si = w.SI;
    TVkForm::SetModalHook([](TVkForm& form) {
        auto& d = dynamic_cast<TFormOptionen&>(form);
        d.Edit_DecimalSeparator->setText(QStringLiteral(","));
        d.Edit_ThousandSeparator->setText(QStringLiteral("."));
        d.RadioButton_US->click();
        d.ShowPressure(900);
        return int(mrCancel);
    });
    Trigger("Menu_Optionen_Einstellungen");
    EXPECT_EQ(DecimalSeparator, '.');
    EXPECT_EQ(ThousandSeparator, ',');
    EXPECT_EQ(w.SI, si);
    EXPECT_EQ(w.pbar, 1013.0);
    EXPECT_EQ(w.optionsApplied, 0);
    EXPECT_EQ(w.invalidations, 0);
}

TEST_F(MainWindow, ConfirmedOptionsInvalidateOnlyOnANewPressure) {
    CountingWindow& w = Create();
    TVkForm::SetModalHook([](TVkForm&) { return int(mrOk); });
    Trigger("Menu_Optionen_Einstellungen");
    EXPECT_EQ(w.invalidations, 0);
    EXPECT_EQ(w.optionsApplied, 1);
    TVkForm::SetModalHook([](TVkForm& form) {
        auto& d = dynamic_cast<TFormOptionen&>(form);
        d.ShowPressure(954.352549);
        d.Combo_Luftmenge->setCurrentIndex(2);
        d.Combo_LuftmengeChange();
        d.Combo_Feuchte->setCurrentIndex(2);
        d.Combo_FeuchteChange();
        d.Edit_DecimalSeparator->clear(); // an empty field keeps the separator
        d.Edit_ThousandSeparator->setText(QStringLiteral("'"));
        return int(mrOk);
    });
    Trigger("Menu_Optionen_Einstellungen");
    EXPECT_EQ(w.invalidations, 1);
    EXPECT_NEAR(w.pbar, 954.352549, 1e-9);
    EXPECT_EQ(w.AirQuant, 3);
    EXPECT_EQ(w.AirState, 7);
    EXPECT_EQ(DecimalSeparator, '.');
    EXPECT_EQ(ThousandSeparator, '\'');
}

TEST_F(MainWindow, SettingsPersistBetweenRuns) {
    {
        CountingWindow& w = Create();
        w.SetUnitSystem(false);
        w.Daten->pbar = 950;
        w.Daten->AirState = 1;
        w.SetSeasons(true);
        w.NotesChart = {"a", "b", "c"};
        w.close();
        window_.reset();
    }
    CountingWindow& again = Create();
    EXPECT_FALSE(again.SI);
    EXPECT_EQ(again.Daten->pbar, 950);
    EXPECT_EQ(again.DatenSommer->pbar, 950);
    EXPECT_EQ(again.Daten->AirState, 1);
    EXPECT_TRUE(again.UseSeasons);
    EXPECT_TRUE(again.MenuItem(QStringLiteral("Menu_Optionen_UseSeasons"))->isChecked());
    EXPECT_EQ(again.NotesChart, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_NE(SettingsFile().find("Version=201611"), std::string::npos);
}

TEST_F(MainWindow, ClosingWithAnUnwritableSettingsFolderAsksAndThrowsNothing) {
    CountingWindow& w = Create();
    std::filesystem::remove_all(home_.SettingsFolder());
    test::WriteFile(home_.SettingsFolder(), "in the way");
    EXPECT_NO_THROW(w.close());
    EXPECT_NO_THROW(window_.reset());
}

TEST_F(MainWindow, MailAndWebCommands) {
    InitVersionText("tavro"); // the test program's own name starts with another letter
    CountingWindow& w = Create();
    Trigger("Menu_Hilfe_EMail");
    Trigger("Menu_Hilfe_Homepage");
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_TRUE(opened_[0].startsWith(QStringLiteral("mailto:info@zelvanor.example?subject=")));
    EXPECT_TRUE(
        opened_[0].contains(QStringLiteral("Zelvanor%20Software%3A%20Tavro%2C%20Version%204.2")))
        << opened_[0].toStdString();
    EXPECT_EQ(opened_[1], QString::fromLatin1(kMakerWebUrl));
    (void)w;
}

TEST_F(MainWindow, SeasonsItemTogglesTheCases) {
    CountingWindow& w = Create();
    EXPECT_FALSE(w.UseSeasons);
    Trigger("Menu_Optionen_UseSeasons");
    EXPECT_TRUE(w.UseSeasons);
    Trigger("Menu_Optionen_UseSeasons");
    EXPECT_FALSE(w.UseSeasons);
}

TEST_F(MainWindow, LogosAndTitleStrip) {
    CountingWindow& w = Create();
    ASSERT_FALSE(w.Image_Logo->pixmap().isNull());
    EXPECT_EQ(w.Image_Logo->x(), 1);
    EXPECT_EQ(w.Image_Logo_R->geometry().right(), w.Panel_Logo->width() - 2);
    w.L_Titel->setText(QStringLiteral("Tavro - Crossflow Plate Heat Exchanger"));
    w.L_Titel_S->setText(w.L_Titel->text());
    w.SetCaptions();
    EXPECT_EQ(w.L_Titel->font().pixelSize(), 12);
    EXPECT_EQ(w.L_Titel_S->x(), w.L_Titel->x() + 1);
    EXPECT_EQ(w.L_Titel_S->y(), w.L_Titel->y() + 1);
    EXPECT_EQ(w.L_Titel->y(), 13);
    EXPECT_EQ(w.Panel_Logo->size(), QSize(630, 42));
}

} // namespace
} // namespace tavro
