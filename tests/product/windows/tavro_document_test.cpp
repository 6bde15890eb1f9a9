// Selection documents through the main window: saved and opened again with
// every control and result as before, opened from the command line's
// writer, refused when bad without touching the selection, the unsaved
// mark, the question before changes are lost, the figures that a
// recalculation changes, and the list of recent files.

#include "product/windows/tavro_document.h"

#include "cli/command_support.h"
#include "controls/daten_grid.h"
#include "controls/num_edit.h"
#include "controls/vk_controls.h"
#include "product/windows/document_dialogs.h"
#include "tests/support/tavro_window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include <nlohmann/json.hpp>

#include <clocale>
#include <deque>
#include <sstream>

namespace tavro {
namespace {

using Json = nlohmann::ordered_json;

class TavroDocumentTest : public test::TavroWindowTest {
protected:
    void SetUp() override {
        TavroWindowTest::SetUp();
        TavroDocument::SetFileDialogHook([this](bool save, const QString&) {
            fileDialogs_.push_back(save);
            return nextFile_;
        });
    }
    void TearDown() override {
        TavroDocument::SetFileDialogHook({});
        TavroWindowTest::TearDown();
        ThousandSeparator = ',';
    }

    // Questions get the next of `answers_` (Cancel when none is left); the
    // lists of figures are recorded.
    int OnModal(TVkForm& form) override {
        if (auto* q = dynamic_cast<TFormDokumentFrage*>(&form)) {
            questions_.push_back(q->Question());
            if (answers_.empty()) return mrCancel;
            const int a = answers_.front();
            answers_.pop_front();
            return a;
        }
        if (auto* list = dynamic_cast<TFormZahlenliste*>(&form)) {
            lists_.push_back(list->Explanation());
            listRows_.clear();
            listStored_.clear();
            for (int r = 0; r < list->Table()->rowCount(); ++r) {
                listRows_.push_back(list->Cell(r, 1));
                listStored_.push_back(list->Cell(r, 2));
            }
            return mrOk;
        }
        return mrOk;
    }

    TavroDocument& Doc() { return *window_->Document; }
    QAction* Item(const char* name) const {
        return window_->findChild<QAction*>(QString::fromLatin1(name));
    }
    QString File(const std::string& name) { return QString::fromStdString(dir_ / name); }

    // What the window shows: every edit, combo box, label and table cell,
    // and the selection's state that no control shows.
    QStringList Shown() const {
        const TFormTavro& w = *window_;
        QStringList out;
        for (int c = 0; c < 2; ++c) {
            for (int s = 0; s < 2; ++s) {
                for (const TNumEdit* e :
                     {w.Edit_SVol[c][s], w.Edit_Temp[c][s], w.Edit_Feuchte[c][s]})
                    out << e->text() << QString::number(e->isVisible());
            }
        }
        out << w.Combo_GKante->currentText() << w.Edit_GBreite->text()
            << w.Combo_PAbstand->currentText();
        for (const QLabel* l :
             {w.Label_Bauform, w.Label_AnzahlReihe, w.L_Hoehe, w.L_Breite, w.L_Tiefe, w.L_Gewicht,
              w.LE_Gewicht, w.LB_Hinweis, w.LB_Zuluft, w.Edit_Winter, w.Edit_Sommer})
            out << l->text();
        for (const TDatenGrid* g : {w.Tabelle_Lufteintritt, w.Tabelle_Luftaustritt,
                                    w.Tabelle_Prozessdaten, w.Tabelle_w_dp}) {
            for (int row = 0; row < g->RowCount(); ++row) {
                for (int col = 0; col < g->ColCount(); ++col)
                    out << g->Cell(col, row);
            }
        }
        out << QString::number(w.Design) << QString::number(w.SeriesCount) << QString::number(w.SI)
            << QString::number(w.AirState) << QString::number(w.AirQuant)
            << QString::number(w.pbar, 'g', 17) << QString::number(w.SeasonMode)
            << QString::number(w.UseSeasons) << QString::number(w.ResultsValid)
            << QString::number(w.Daten->AirVelBypass, 'g', 17) << QString::number(w.PrintHeader);
        for (const std::string& h : w.Header)
            out << QString::fromStdString(h);
        for (const auto* notes : {&w.NotesDataSheet, &w.NotesChart}) {
            for (const std::string& n : *notes)
                out << QString::fromStdString(n);
        }
        return out;
    }

    // Something else in every control, so that opening has to restore all.
    void ChangeEverything() {
        TFormTavro& w = *window_;
        w.SetSeasons(false);
        w.SetUnitSystem(true);
        w.SetDesign(10);
        w.SetSeriesCount(1);
        w.Combo_GKante->setCurrentIndex(0);
        Enter(w.Edit_SVol[0][0], QStringLiteral("1234"));
        Enter(w.Edit_Temp[0][0], QStringLiteral("3"));
        w.Header = {};
        w.NotesDataSheet = {"other"};
        Calculate();
    }

    // A document saved from the window as it stands.
    std::string SaveDocument(const std::string& name) {
        nextFile_ = File(name);
        EXPECT_TRUE(Doc().SaveAs());
        return dir_ / name;
    }

    test::TempDir dir_;
    QString nextFile_;
    std::vector<bool> fileDialogs_;
    std::deque<int> answers_;
    QStringList questions_;
    QStringList lists_;
    QStringList listRows_;
    QStringList listStored_;
};

// Each case sets up a selection in the window before it is saved.
struct RoundTripCase {
    const char* name;
    std::function<void(TFormTavro&)> setUp;
};

class DocumentRoundTrip : public TavroDocumentTest,
                          public testing::WithParamInterface<RoundTripCase> {};

TEST_P(DocumentRoundTrip, ReopenedSelectionShowsEveryControlAndResultAsSaved) {
    TFormTavro& w = Start();
    GetParam().setUp(w);
    Calculate();
    ASSERT_TRUE(w.ResultsValid);
    const QStringList before = Shown();
    const bool si = w.SI;
    SaveDocument("case.tavro");
    ASSERT_TRUE(messages_.empty()) << messages_.front().toStdString();
    EXPECT_FALSE(w.isWindowModified());

    ChangeEverything();
    ASSERT_NE(Shown(), before);
    // The changes belong to the open document: the question comes first.
    answers_ = {mrDiscard, mrOk};
    ASSERT_TRUE(Doc().Open(File("case.tavro")));
    // A document in other units than the window's asks whether to show
    // them (answered Yes).
    EXPECT_EQ(questions_.size(), si ? 1u : 2u);
    EXPECT_TRUE(lists_.isEmpty()) << "no figure differs: " << listRows_.join(' ').toStdString();
    EXPECT_EQ(Shown(), before);
    EXPECT_FALSE(w.isWindowModified());
    EXPECT_FALSE(Doc().Stored().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Selections, DocumentRoundTrip,
    testing::Values(RoundTripCase{"Defaults", [](TFormTavro&) {}},
                    RoundTripCase{"TwoCasesThreeUnitsInSeries",
                                  [](TFormTavro& w) {
                                      w.SetSeasons(true);
                                      w.SetOperatingCases(2);
                                      w.Edit_SVol[1][0]->SetValue(2500);
                                      w.Edit_SVol[1][1]->SetValue(2200);
                                      w.Edit_Temp[1][0]->SetValue(31.7);
                                      w.SetDesign(20);
                                      w.SetSeriesCount(3);
                                      w.Aenderung_Geraet();
                                  }},
                    RoundTripCase{"InchPoundWithHumidityRatio",
                                  [](TFormTavro& w) {
                                      w.SetHumidityMode(1);
                                      w.SetUnitSystem(false);
                                      w.Edit_Temp[0][0]->SetValue(14.3);
                                      w.Aenderung_Daten();
                                  }},
                    RoundTripCase{"Utf8TextsInFiveScripts",
                                  [](TFormTavro& w) {
                                      w.PrintHeader = true;
                                      w.Header[0] = "Angebot Nr. 17 – Größe";
                                      w.Header[1] = "Смета № 5";
                                      w.NotesDataSheet = {"Ελληνικά ώρα", "中文备注 😀", "עברית"};
                                      w.NotesChart = {"Łódź ÀÉÎ"};
                                  }}),
    [](const testing::TestParamInfo<RoundTripCase>& p) { return p.param.name; });

TEST_F(TavroDocumentTest, DocumentOfTheCommandLineOpensWithItsFigures) {
    TFormTavro& w = Start();
    const std::string path = dir_ / "cli.tavro";
    const std::string_view args[] = {"AirState=0", "AirQuant=0", "pbar=1013",   "SVol11=3100",
                                     "Temp11=-5",  "Phi11=80",   "SVol21=2900", "Temp21=22",
                                     "Phi21=40",   "Edge=600",   "Width=700",   "PType=2",
                                     "design=20",  "units=2",    "Series=2",    "note=Größe"};
    std::ostringstream out;
    ASSERT_EQ(cli::RunSave(args, path, false, out).status, 0);
    const SelectionState doc = LoadSelectionDocument(path).state;

    ASSERT_TRUE(Doc().Open(QString::fromStdString(path)));
    EXPECT_TRUE(questions_.isEmpty());
    EXPECT_TRUE(lists_.isEmpty()) << listRows_.join(' ').toStdString();
    ASSERT_TRUE(w.ResultsValid);
    EXPECT_EQ(w.Design, 20);
    EXPECT_EQ(w.SeriesCount, 2);
    EXPECT_EQ(w.Edit_SVol[0][0]->text(), QStringLiteral("3100"));
    EXPECT_EQ(w.Combo_GKante->currentText(), QStringLiteral("600 mm"));
    EXPECT_EQ(w.Edit_GBreite->text(), QStringLiteral("700"));
    EXPECT_EQ(w.Label_Bauform->text().toStdString(), doc.labels.designation);
    EXPECT_EQ(w.NotesDataSheet, std::vector<std::string>{"Größe"});
    // The window shows the document's figures as the model shows them.
    for (const auto& [table, grid] : {std::pair{ShownTable::Outlet, w.Tabelle_Luftaustritt},
                                      std::pair{ShownTable::ProcessData, w.Tabelle_Prozessdaten}}) {
        const TableCells cells = doc.Cells(table);
        for (size_t row = 0; row < cells.size(); ++row) {
            for (size_t col = 1; col < 5; ++col) {
                EXPECT_EQ(grid->Cell(static_cast<int>(col), static_cast<int>(row)).toStdString(),
                          cells[row][col])
                    << "row " << row << " col " << col;
            }
        }
    }
    EXPECT_EQ(w.windowTitle(), QStringLiteral("cli.tavro[*] \u2013 Tavro"));
}

TEST_F(TavroDocumentTest, BadDocumentsNameTheFieldAndLeaveTheSelectionAlone) {
    TFormTavro& w = Start();
    Calculate();
    const std::string good = test::ReadFile(SaveDocument("good.tavro"));
    Enter(w.Edit_SVol[0][0], QStringLiteral("2345"));
    Calculate();
    const QStringList before = Shown();
    const QString title = w.windowTitle();
    ASSERT_TRUE(w.isWindowModified());

    auto edited = [&](const std::function<void(Json&)>& change) {
        Json j = Json::parse(good);
        change(j);
        return j.dump(1);
    };
    struct Bad {
        const char* name;
        std::string text;
        const char* field; // a part of the message
    };
    const std::vector<Bad> cases = {
        {"not JSON", "{\"mediaType\": ", "JSON"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11), "binary"},
        {"version", edited([](Json& j) { j["formatVersion"] = 7; }), "formatVersion"},
        {"missing", edited([](Json& j) { j["cases"][0]["inputs"].erase("Temp11"); }),
         "cases[0].inputs.Temp11"},
        {"range", edited([](Json& j) { j["cases"][0]["inputs"]["SVol11"] = 1e9; }),
         "cases[0].inputs.SVol11"},
        {"design", edited([](Json& j) { j["device"]["design"] = 15; }), "device.design"},
        {"edge", edited([](Json& j) { j["cases"][0]["inputs"]["Edge"] = 555; }),
         "cases[0].inputs.Edge"},
    };
    for (const Bad& bad : cases) {
        const std::string path = dir_ / (std::string(bad.name) + ".tavro");
        test::WriteFile(path, bad.text);
        messages_.clear();
        answers_ = {mrDiscard};
        EXPECT_FALSE(Doc().Open(QString::fromStdString(path))) << bad.name;
        ASSERT_EQ(messages_.size(), 1u) << bad.name;
        EXPECT_TRUE(messages_[0].startsWith(QStringLiteral("The selection document could not")));
        EXPECT_TRUE(messages_[0].contains(QString::fromLatin1(bad.field)))
            << bad.name << ": " << messages_[0].toStdString();
        EXPECT_EQ(Shown(), before) << bad.name;
        EXPECT_EQ(w.windowTitle(), title) << bad.name;
        EXPECT_TRUE(w.isWindowModified()) << bad.name;
    }
    // A file of 100 MB is refused without being read.
    const std::string huge = dir_ / "huge.tavro";
    test::WriteFile(huge, "{");
    std::filesystem::resize_file(huge, 100u << 20);
    messages_.clear();
    answers_ = {mrDiscard};
    EXPECT_FALSE(Doc().Open(QString::fromStdString(huge)));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(Shown(), before);
    // In German the program's own words are German, the reader's are not
    // translated.
    CurrentLanguage = kGerman;
    w.ApplyLanguage();
    messages_.clear();
    answers_ = {mrDiscard};
    EXPECT_FALSE(Doc().Open(QString::fromStdString(dir_ / "design.tavro")));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].startsWith(QStringLiteral("Das Auswahldokument")))
        << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("device.design")));
}

TEST_F(TavroDocumentTest, EditSetsTheUnsavedMarkAndSaveClearsIt) {
    TFormTavro& w = Start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tavro"));
    Calculate();
    SaveDocument("offer.tavro");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("offer.tavro[*] \u2013 Tavro"));
    EXPECT_FALSE(w.isWindowModified());
    // A "[*]" in the file's name is doubled: Qt shows it as itself and the
    // mark only where the title's own placeholder is.
    SaveDocument("odd[*]name.tavro");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("odd[*][*]name.tavro[*] \u2013 Tavro"));
    SaveDocument("offer.tavro");
    // The pages and the documents keep the program's title.
    EXPECT_EQ(w.PageCaption(), QStringLiteral("Tavro"));
    EXPECT_EQ(w.Selection().caption, "Tavro");
    EXPECT_EQ(LoadSelectionDocument(dir_ / "offer.tavro").state.caption, "Tavro");
    // Calculating changes no input.
    Calculate();
    EXPECT_FALSE(w.isWindowModified());
    Enter(w.Edit_Temp[0][1], QStringLiteral("21"));
    EXPECT_TRUE(w.isWindowModified());
    // Back to the saved value: nothing left to save.
    Enter(w.Edit_Temp[0][1], QStringLiteral("22"));
    EXPECT_FALSE(w.isWindowModified());
    // A device change and the notes mark it too.
    w.Combo_GKante->setCurrentIndex(w.Combo_GKante->currentIndex() + 1);
    w.Combo_GKanteChange();
    EXPECT_TRUE(w.isWindowModified());
    fileDialogs_.clear();
    ASSERT_TRUE(Doc().Save());
    EXPECT_TRUE(fileDialogs_.empty()) << "Save writes the open document without asking";
    EXPECT_FALSE(w.isWindowModified());
    w.NotesChart = {"new note"};
    w.MenuItem(QStringLiteral("Menu_Edit_Bem_Diagramm"))->trigger();
    EXPECT_TRUE(w.isWindowModified());
    // Ctrl+S saves.
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(w.isWindowModified());
    EXPECT_EQ(LoadSelectionDocument(dir_ / "offer.tavro").state.notesChart.at(0), "new note");
}

TEST_F(TavroDocumentTest, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow) {
    TFormTavro& w = Start();
    SaveDocument("keep.tavro");
    Enter(w.Edit_SVol[0][0], QStringLiteral("2100"));
    ASSERT_TRUE(w.isWindowModified());
    answers_ = {mrCancel};
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_TRUE(questions_[0].contains(QStringLiteral("keep.tavro")));
    EXPECT_EQ(w.Edit_SVol[0][0]->text(), QStringLiteral("2100"));
    EXPECT_TRUE(w.isWindowModified());
    // Cancel before opening another document keeps this one too.
    answers_ = {mrCancel};
    EXPECT_FALSE(Doc().Open(File("keep.tavro")));
    EXPECT_EQ(w.Edit_SVol[0][0]->text(), QStringLiteral("2100"));
    // Save writes the change, then the window closes.
    answers_ = {mrOk};
    EXPECT_TRUE(w.close());
    EXPECT_EQ(LoadSelectionDocument(dir_ / "keep.tavro").state.record.SVol11, 2100);
}

TEST_F(TavroDocumentTest, ANewSelectionIsAskedForBeforeADocumentReplacesItNotOnClosing) {
    TFormTavro& w = Start();
    const std::string path = dir_ / "other.tavro";
    SaveSelectionDocument(path, w.Selection(), "test");
    // Opening without a change asks nothing.
    ASSERT_TRUE(Doc().Open(QString::fromStdString(path)));
    EXPECT_TRUE(questions_.isEmpty());
    Restart();
    TFormTavro& again = *window_;
    Enter(again.Edit_SVol[0][0], QStringLiteral("2600"));
    EXPECT_FALSE(again.isWindowModified()) << "no document, no mark";
    answers_ = {mrCancel};
    EXPECT_FALSE(Doc().Open(QString::fromStdString(path)));
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0], QStringLiteral("Save the changes to the current selection first?"));
    EXPECT_EQ(again.Edit_SVol[0][0]->text(), QStringLiteral("2600"));
    // Save asks for a name; none given keeps the selection as well.
    answers_ = {mrOk};
    nextFile_.clear();
    EXPECT_FALSE(Doc().Open(QString::fromStdString(path)));
    EXPECT_EQ(again.Edit_SVol[0][0]->text(), QStringLiteral("2600"));
    // Closing keeps the inputs in the settings and asks nothing.
    questions_.clear();
    EXPECT_TRUE(again.close());
    EXPECT_TRUE(questions_.isEmpty());
}

TEST_F(TavroDocumentTest, FailedSaveSaysSoAndKeepsTheUnsavedMark) {
    TFormTavro& w = Start();
    SaveDocument("first.tavro");
    Enter(w.Edit_SVol[0][0], QStringLiteral("2200"));
    nextFile_ = File("missing-folder/second.tavro");
    EXPECT_FALSE(Doc().SaveAs());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].startsWith(QStringLiteral("The selection could not be saved")));
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("second.tavro")));
    EXPECT_TRUE(w.isWindowModified());
    EXPECT_EQ(Doc().Path(), File("first.tavro"));
    EXPECT_EQ(w.Edit_SVol[0][0]->text(), QStringLiteral("2200"));
}

TEST_F(TavroDocumentTest, ChangedStoredFiguresAreListedAndKeptForDisplay) {
    TFormTavro& w = Start();
    Calculate();
    const std::string path = SaveDocument("altered.tavro");
    Json j = Json::parse(test::ReadFile(path));
    const double temp12 = j["cases"][0]["results"]["Temp12"].get<double>();
    j["cases"][0]["results"]["Temp12"] = temp12 + 0.5;
    j["programVersion"] = "tavro 4.1";
    test::WriteFile(path, j.dump(1));
    QAction* stored = Item("Menu_Datei_GespeicherteErgebnisse");
    ASSERT_NE(stored, nullptr);
    EXPECT_FALSE(stored->isEnabled());

    ASSERT_TRUE(Doc().Open(QString::fromStdString(path)));
    ASSERT_EQ(lists_.size(), 1);
    EXPECT_TRUE(lists_[0].contains(QStringLiteral("tavro 4.1")));
    EXPECT_TRUE(lists_[0].contains(QStringLiteral("altered.tavro")));
    EXPECT_EQ(listRows_, QStringList{QStringLiteral("Temp12")});
    // The window shows the recalculated figure; the stored one stays
    // available.
    EXPECT_DOUBLE_EQ(w.Daten->Temp12, temp12);
    ASSERT_TRUE(Doc().Stored().has_value());
    EXPECT_DOUBLE_EQ(Doc().Stored()->state.record.Temp12, temp12 + 0.5);
    EXPECT_TRUE(stored->isEnabled());
    stored->trigger();
    ASSERT_EQ(lists_.size(), 2);
    EXPECT_TRUE(listRows_.contains(QStringLiteral("Temp12")));
    // Saving makes the window's figures the document's.
    ASSERT_TRUE(Doc().Save());
    EXPECT_FALSE(stored->isEnabled());
}

TEST_F(TavroDocumentTest, ListedFiguresUseTheWindowsSeparatorWhateverTheLocale) {
    TFormTavro& w = Start();
    Calculate();
    const std::string path = SaveDocument("comma.tavro");
    Json j = Json::parse(test::ReadFile(path));
    j["cases"][0]["results"]["Temp12"] = 12.25;
    test::WriteFile(path, j.dump(1));
    // A process locale with a decimal comma must not cut the figures short.
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    w.OptionsApplied();
    answers_ = {mrDiscard, mrDiscard};
    const bool opened = Doc().Open(QString::fromStdString(path));
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_TRUE(opened);
    ASSERT_EQ(listStored_.size(), 1) << german;
    EXPECT_EQ(listStored_[0], QStringLiteral("12,25"));
}

TEST_F(TavroDocumentTest, OpeningKeepsTheUsersDisplayOptionsUnlessAskedTo) {
    TFormTavro& w = Start();
    w.SetUnitSystem(false);
    w.HCLASS = false;
    Calculate();
    SaveDocument("ip.tavro");
    w.SetUnitSystem(true);
    w.HCLASS = true;
    Calculate();
    answers_ = {mrDiscard, mrDiscard}; // discard the changes, keep my options
    ASSERT_TRUE(Doc().Open(File("ip.tavro")));
    ASSERT_EQ(questions_.size(), 2u);
    EXPECT_TRUE(questions_[1].contains(QStringLiteral("display options")));
    EXPECT_TRUE(w.SI);
    EXPECT_TRUE(w.HCLASS);
    EXPECT_TRUE(w.ResultsValid);
    EXPECT_FALSE(w.isWindowModified());
}

TEST_F(TavroDocumentTest, RecentFilesKeepFourNewestFirstAndDropMissingOnes) {
    Start();
    for (const char* name : {"a.tavro", "b.tavro", "c.tavro", "d.tavro", "e.tavro"})
        SaveDocument(name);
    // Opening one again moves it to the top.
    ASSERT_TRUE(Doc().Open(File("c.tavro")));
    const QStringList expected = {File("c.tavro"), File("e.tavro"), File("d.tavro"),
                                  File("b.tavro")};
    EXPECT_EQ(Doc().RecentFiles(), expected);
    QAction* first = Item("Menu_Datei_Zuletzt1");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), QStringLiteral("&1 c.tavro"));
    // The list is kept in the settings.
    Restart();
    EXPECT_EQ(window_->Document->RecentFiles(), expected);
    // A file that has gone is reported and leaves the list.
    std::filesystem::remove(dir_ / "e.tavro");
    Item("Menu_Datei_Zuletzt2")->trigger();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("e.tavro"))) << messages_[0].toStdString();
    EXPECT_EQ(window_->Document->RecentFiles(),
              (QStringList{File("c.tavro"), File("d.tavro"), File("b.tavro")}));
}

} // namespace
} // namespace tavro
