#include "shell/qt/qt_translations.h"

#include "physics/records.h"
#include "shell/settings/ini_file.h"
#include "shell/settings/shell_settings.h"
#include "shell/texts/languages.h"
#include "shell/windows/main_window.h"
#include "tests/support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tavro {
namespace {

QString CancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

class QtTranslations : public testing::Test {
protected:
    void TearDown() override {
        CurrentLanguage = kEnglish;
        ApplyQtTranslations(kEnglish);
        QApplication::processEvents();
    }
};

TEST_F(QtTranslations, EveryLanguageHasQtsTexts) {
    for (int code : AvailableLanguages)
        EXPECT_TRUE(ApplyQtTranslations(code)) << "qtbase_" << QtLanguageSuffix(code).toStdString();
    EXPECT_EQ(QtLanguageSuffix(kChinese), QStringLiteral("zh_CN"));
    // Spanish and Czech have no texts of the program: Qt stays English too.
    EXPECT_EQ(QtLanguageSuffix(kSpanish), QStringLiteral("en"));
    EXPECT_EQ(QtLanguageSuffix(0), QStringLiteral("en"));
}

TEST_F(QtTranslations, DialogsAndButtonsReadGerman) {
    ASSERT_TRUE(ApplyQtTranslations(kGerman));
    EXPECT_EQ(CancelText(), QStringLiteral("Abbrechen"));
    QFileDialog save;
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(save.windowTitle(), QStringLiteral("Speichern unter"));
    EXPECT_EQ(save.labelText(QFileDialog::FileName), QStringLiteral("Datei&name:"));
    QPrinter printer;
    QPrintDialog print(&printer);
    EXPECT_EQ(print.windowTitle(), QStringLiteral("Drucken"));
    ASSERT_TRUE(ApplyQtTranslations(kEnglish));
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
}

// A switch replaces the language before instead of stacking on it, and a
// dialog that is open at the time follows.
TEST_F(QtTranslations, OpenDialogFollowsEachSwitch) {
    QDialogButtonBox open(QDialogButtonBox::Cancel);
    ApplyQtTranslations(kGerman);
    QApplication::processEvents();
    EXPECT_EQ(open.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    ApplyQtTranslations(kFrench);
    QApplication::processEvents();
    EXPECT_EQ(open.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
    ApplyQtTranslations(kEnglish);
    QApplication::processEvents();
    EXPECT_EQ(open.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}

TEST_F(QtTranslations, LanguageMenuSwitchesQtsTexts) {
    test::TempConfigHome home;
    CurrentLanguage = kEnglish;
    TFormBasis window;
    window.Settings = std::make_unique<TIniDatei>(kSettingsFileName, kSettingsFolder);
    window.Daten = std::make_unique<TDatenREK>();
    window.DatenSommer = std::make_unique<TDatenREK>();
    window.FormCreate();
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
    window.MenuItem(QStringLiteral("Menu_Optionen_Deutsch"))->trigger();
    EXPECT_EQ(CancelText(), QStringLiteral("Abbrechen"));
    window.MenuItem(QStringLiteral("Menu_Optionen_English"))->trigger();
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
}

} // namespace
} // namespace tavro
