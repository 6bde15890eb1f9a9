// The settings file through a whole session of the program's main window:
// read at start, written at exit, never destroyed.

#include "product/windows/tavro_window.h"

#include "shell/qt/qt_text.h"
#include "shell/settings/shell_settings.h"
#include "shell/texts/languages.h"
#include "shell/texts/texts.h"
#include "tests/support/tavro_window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace tavro {
namespace {

namespace fs = std::filesystem;

// Counts the replacements of the settings file.
class CountingSettings : public TIniDatei {
public:
    using TIniDatei::TIniDatei;
    int renames = 0;

protected:
    int RenameOver(const std::string& from, const std::string& to) override {
        ++renames;
        return TIniDatei::RenameOver(from, to);
    }
};

class MainWindowSettings : public test::TavroWindowTest {
protected:
    QString StatusText() const {
        const auto* panel =
            window_->StatusBar1->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel1"));
        return panel ? panel->toolTip() : QStringLiteral("(no panel)");
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(home_.SettingsFolder()))
            names.push_back(e.path().filename().string());
        return names;
    }
};

// A NUL byte made the reader stop there, and the exit wrote back the part
// before it: the keys, comments and sections after it were lost for good.
TEST_F(MainWindowSettings, UnreadableFileIsByteIdenticalAfterASession) {
    fs::create_directories(home_.SettingsFolder());
    const std::string content = "; my settings\n[GLOBAL]\nVersion=201611\nLanguage=2\n[Tavro]\n"
                                "Edge=600\nSI=0\n" +
                                std::string(1, '\0') + "Width=700\n[Mine]\nKeep=1\n";
    test::WriteFile(home_.SettingsFile(), content);

    TFormTavro& w = Start();
    // The defaults, not the values before the fault.
    EXPECT_EQ(w.Daten->Edge, 500);
    EXPECT_TRUE(w.SI);
    const QString path = QString::fromStdString(home_.SettingsFile());
    EXPECT_EQ(StatusText(), TextOf(620).replace(QStringLiteral("%s"), path));
    EXPECT_TRUE(StatusText().startsWith(QStringLiteral("Settings could not be read")));

    // Language changes store the language; options change the settings.
    w.MenuItem(QStringLiteral("Menu_Optionen_Deutsch"))->trigger();
    EXPECT_EQ(StatusText(), TextOf(620).replace(QStringLiteral("%s"), path));
    EXPECT_NE(StatusText(), QString());
    w.MenuItem(QStringLiteral("Menu_Optionen_UseSeasons"))->trigger();
    Restart();
    EXPECT_EQ(window_->Daten->Edge, 500);
    window_->close();
    window_.reset();

    EXPECT_EQ(test::ReadFile(home_.SettingsFile()), content);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Zelvanor.ini"});
}

TEST_F(MainWindowSettings, ReadableFileShowsNothingInTheStatusBar) {
    fs::create_directories(home_.SettingsFolder());
    test::WriteFile(home_.SettingsFile(),
                    "\xEF\xBB\xBF[GLOBAL]\nVersion=201611\n[Tavro]\nEdge=600\n");
    TFormTavro& w = Start();
    EXPECT_EQ(w.Daten->Edge, 600);
    EXPECT_EQ(StatusText(), QString());
}

// Every key was a replacement of its own: 46 rewrites and flushes at every
// exit, and two instances closing at once mixed their keys.
TEST_F(MainWindowSettings, ExitWritesEverySettingInOneReplacement) {
    fs::create_directories(home_.SettingsFolder());
    // Left by a write killed an hour ago.
    const std::string stale = home_.SettingsFolder() + "/Zelvanor.ini.tmp-K1ll3d";
    test::WriteFile(stale, "[GLOBAL]\n");
    const timespec old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, stale.c_str(), old, 0), 0);

    window_ = std::make_unique<TFormTavro>();
    auto settings = std::make_unique<CountingSettings>(kSettingsFileName, kSettingsFolder);
    CountingSettings& counted = *settings;
    window_->Settings = std::move(settings);
    window_->FormCreate();
    EXPECT_FALSE(fs::exists(stale));

    window_->Daten->pbar = 950;
    counted.renames = 0;
    window_->close();
    EXPECT_EQ(counted.renames, 1);
    window_.reset();

    const std::string text = test::ReadFile(home_.SettingsFile());
    for (const char* key : {"Version=201611", "pbar=950.0000000000", "NotesChart3=", "SVol11=",
                            "Humidity21_S=", "Edge=500", "AirVelBypass="}) {
        EXPECT_NE(text.find(key), std::string::npos) << key << " in\n" << text;
    }
}

TEST_F(MainWindowSettings, UnreadableMessageExistsInEveryLanguage) {
    for (const int language : AvailableLanguages) {
        const std::u16string text = TableText(10000 + 1000 * language + 620);
        EXPECT_NE(text.find(u"%s"), std::u16string::npos) << language;
    }
}

} // namespace
} // namespace tavro
