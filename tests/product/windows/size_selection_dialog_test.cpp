// The size selection driven from the main window: opening from its two
// buttons, the list and its sort, taking a row over, the design page's
// options and the bypass velocity.

#include "product/windows/size_selection_dialog.h"

#include "controls/daten_grid.h"
#include "controls/message_dialog.h"
#include "controls/num_edit.h"
#include "product/catalogue/catalogue.h"
#include "product/windows/tavro_window.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "tests/support/tavro_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace tavro {
namespace {

using Dialog = TFormBaugroessen_Tavro;

class SizeSelection : public test::TavroWindowTest {
protected:
    int OnModal(TVkForm& form) override {
        if (auto* d = dynamic_cast<Dialog*>(&form)) {
            ++opened_;
            // The list of the activation is built in the background.
            EXPECT_TRUE(d->WaitForList());
            if (inDialog_) inDialog_(*d);
            return mrCancel;
        }
        return mrOk;
    }

    // The main window with 10000 m³/h on both sides.
    TFormTavro& StartWithTenThousand() {
        TFormTavro& w = Start();
        Enter(w.Edit_SVol[0][0], QStringLiteral("10000"));
        Enter(w.Edit_SVol[0][1], QStringLiteral("10000"));
        return w;
    }
    // Opens the dialog from a button and runs `body` while it is shown.
    void OpenWith(QPushButton* button, std::function<void(Dialog&)> body) {
        inDialog_ = std::move(body);
        const int before = opened_;
        button->click();
        inDialog_ = nullptr;
        EXPECT_EQ(opened_, before + 1);
    }

    static QStringList Column(const Dialog& d, int column) {
        QStringList texts;
        for (int i = 0; i < d.ListView1->topLevelItemCount(); ++i)
            texts << d.ListView1->topLevelItem(i)->text(column);
        return texts;
    }
    static QString Head(const Dialog& d, int column) {
        return d.ListView1->headerItem()->text(column);
    }

    std::function<void(Dialog&)> inDialog_;
    int opened_ = 0;
};

TEST_F(SizeSelection, PreselectionListsTheSizesThatMeetTheCriteria) {
    TFormTavro& w = StartWithTenThousand();
    ASSERT_TRUE(w.Button_Vorauswahl->isEnabled());
    OpenWith(w.Button_Vorauswahl, [](Dialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Tavro Sizes"));
        EXPECT_EQ(d.PageControl->currentWidget(), d.TabSheet_Baugroessen);
        EXPECT_EQ(d.PageControl->tabText(1), QStringLiteral("Form of design"));
        EXPECT_EQ(d.Combo_MinPHI->currentText(), QStringLiteral("55 %"));
        EXPECT_EQ(d.Combo_MinPHI->count(), 7);
        EXPECT_EQ(d.Combo_Maxdp->currentText(), QStringLiteral("120 Pa"));
        EXPECT_EQ(d.Combo_Maxdp->count(), 15);
        EXPECT_EQ(d.Combo_Maxdp->itemText(14), QStringLiteral("340 Pa"));
        EXPECT_EQ(Head(d, 0), QStringLiteral("Size"));
        EXPECT_EQ(Head(d, 1), QStringLiteral("Height (H) [mm]"));
        EXPECT_EQ(Head(d, 4), QStringLiteral("v max [m/s]"));
        EXPECT_EQ(Head(d, 5), QStringLiteral("dp max [Pa]"));
        EXPECT_EQ(Head(d, 6), QStringLiteral("phi 1 [%]"));
        EXPECT_EQ(Head(d, 7), QStringLiteral("t 12 [°C]"));
        EXPECT_EQ(Head(d, 8), QString());
        ASSERT_GT(d.ListView1->topLevelItemCount(), 5);
        for (const QString& dp : Column(d, 5)) {
            EXPECT_GE(dp.toDouble(), 40);
            EXPECT_LE(dp.toDouble(), 120);
        }
        for (const QString& eta : Column(d, 6)) {
            EXPECT_GE(eta.toDouble(), 55);
            EXPECT_LE(eta.toDouble(), 75);
        }
        // The first row is selected, so Apply is ready.
        EXPECT_EQ(d.ListView1->currentItem(), d.ListView1->topLevelItem(0));
        EXPECT_TRUE(d.Button_Baugroesse->isEnabled());
        EXPECT_EQ(d.Label_Bauform1->text(), QStringLiteral("Form of design: Tavro 10"));
        // A stricter efficiency leaves fewer rows.
        const int rows = d.ListView1->topLevelItemCount();
        d.Combo_MinPHI->setCurrentIndex(5);
        ASSERT_TRUE(d.WaitForList());
        EXPECT_LT(d.ListView1->topLevelItemCount(), rows);
    });
    // Closing runs the device change: the record holds the window's
    // selection again, not the last candidate of the list.
    EXPECT_EQ(w.Daten->Edge, 500);
    EXPECT_EQ(w.Daten->Width, 500);
    EXPECT_EQ(w.Daten->GapGiven, 1);
}

TEST_F(SizeSelection, ColumnClicksSortAndReverse) {
    TFormTavro& w = StartWithTenThousand();
    OpenWith(w.Button_Vorauswahl, [](Dialog& d) {
        auto numbers = [&d](int column) {
            std::vector<double> v;
            for (const QString& t : Column(d, column))
                v.push_back(LeadingNumber(t.toStdString()));
            return v;
        };
        ASSERT_GT(d.ListView1->topLevelItemCount(), 2);
        d.ListView1->header()->sectionClicked(5);
        const std::vector<double> up = numbers(5);
        EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
        d.ListView1->header()->sectionClicked(5);
        const std::vector<double> down = numbers(5);
        EXPECT_TRUE(std::is_sorted(down.rbegin(), down.rend()));
        EXPECT_LT(down.back(), down.front());
        // The size column sorts by edge.
        d.ListView1ColumnClick(0);
        const std::vector<double> edges = numbers(0);
        EXPECT_TRUE(std::is_sorted(edges.begin(), edges.end()));
        // A change of the pressure-drop list rebuilds and keeps the sort.
        d.ListView1ColumnClick(5);
        d.ListView1ColumnClick(5);
        d.Combo_Maxdp->setCurrentIndex(5);
        ASSERT_TRUE(d.WaitForList());
        const std::vector<double> rebuilt = numbers(5);
        EXPECT_TRUE(std::is_sorted(rebuilt.rbegin(), rebuilt.rend()));
    });
}

TEST_F(SizeSelection, InchPoundWithEffectiveness) {
    TFormTavro& w = StartWithTenThousand();
    w.EU = true;
    w.SetUnitSystem(false);
    OpenWith(w.Button_Vorauswahl, [&w](Dialog& d) {
        EXPECT_EQ(Head(d, 4), QStringLiteral("v max [fpm]"));
        EXPECT_EQ(Head(d, 5), QStringLiteral("dp max [in. WG]"));
        EXPECT_EQ(Head(d, 6), QStringLiteral("eta 1 [%]"));
        EXPECT_EQ(Head(d, 7), QStringLiteral("t 12 [°F]"));
        EXPECT_EQ(d.Combo_Maxdp->currentText(), QStringLiteral("0.48 in. WG"));
        EXPECT_EQ(d.Combo_Maxdp->itemText(0), QStringLiteral("0.24 in. WG"));
        // The same list from the record: column 6 holds Eps1Wet.
        TDatenREK r = *w.Daten;
        const SizeList list = BuildSizeList(r, d.Criteria());
        ASSERT_EQ(static_cast<int>(list.rows.size()), d.ListView1->topLevelItemCount());
        const QStringList eff = Column(d, 6);
        for (size_t i = 0; i < list.rows.size(); ++i) {
            EXPECT_EQ(eff[int(i)].toStdString(),
                      FormatNumber(list.rows[i].eps1Wet, ffFixed, 15, 1));
        }
        EXPECT_NE(FormatNumber(list.rows[0].eps1Wet, ffFixed, 15, 1),
                  FormatNumber(list.rows[0].eta1Wet, ffFixed, 15, 1));
        // Dimensions stay in mm.
        EXPECT_EQ(Head(d, 2), QStringLiteral("Width (B) [mm]"));
        EXPECT_EQ(d.LE_LGeschwBypass->text(), QStringLiteral("fpm"));
    });
    // Back in SI the pressure-drop list keeps its entry.
    w.SetUnitSystem(true);
    OpenWith(w.Button_Vorauswahl, [](Dialog& d) {
        EXPECT_EQ(d.Combo_Maxdp->currentText(), QStringLiteral("120 Pa"));
        EXPECT_EQ(Head(d, 6), QStringLiteral("eta 1 [%]"));
    });
}

TEST_F(SizeSelection, TakingARowOverSelectsItInTheMainWindow) {
    TFormTavro& w = StartWithTenThousand();
    QStringList row;
    OpenWith(w.Button_Vorauswahl, [&](Dialog& d) {
        ASSERT_GT(d.ListView1->topLevelItemCount(), 3);
        QTreeWidgetItem* item = d.ListView1->topLevelItem(3);
        d.ListView1->setCurrentItem(item);
        for (int c = 0; c < 9; ++c)
            row << item->text(c);
        QTest::mouseClick(d.Button_Baugroesse, Qt::LeftButton);
        EXPECT_FALSE(d.Button_Baugroesse->isEnabled());
        // "800 / 1575 - 6.5"
        const QStringList parts = row[0].split(QRegularExpression(QStringLiteral("[/-]")));
        ASSERT_EQ(parts.size(), 3);
        EXPECT_EQ(w.Combo_GKante->currentText(), parts[0].trimmed() + QStringLiteral(" mm"));
        EXPECT_EQ(w.Edit_GBreite->text(), parts[1].trimmed());
        EXPECT_EQ(w.Combo_PAbstand->currentText(), parts[2].trimmed() + QStringLiteral(" mm"));
        EXPECT_EQ(w.L_Breite->text(), row[2]);
        EXPECT_EQ(w.L_Hoehe->text(), row[1]);
    });
    // The offscreen platform hands the activation back to no window when a
    // dialog that was active closes; a window manager gives it to the owner.
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, Qt::Key_F9);
    ASSERT_TRUE(w.ResultsValid);
    const TDatenREK& r = *w.Daten;
    EXPECT_EQ(FormatNumber(std::max(r.Dp1, r.Dp2), ffFixed, 15, 0), row[5].toStdString());
    EXPECT_EQ(FormatNumber(std::max(r.Vel1, r.Vel2), ffFixed, 15, 2), row[4].toStdString());
    EXPECT_EQ(w.Tabelle_Prozessdaten->Cell(1, 1), row[6]);
    EXPECT_EQ(w.Tabelle_Luftaustritt->Cell(1, 2), row[7]);
    EXPECT_EQ(QString::fromStdString(r.HClass), row[8]);
}

TEST_F(SizeSelection, WidthPresetExactlyAndItsControls) {
    TFormTavro& w = StartWithTenThousand();
    OpenWith(w.Button_Vorauswahl, [](Dialog& d) {
        EXPECT_FALSE(d.Edit_VorgabeBreite->isEnabled());
        EXPECT_FALSE(d.Combo_TypBreite->isEnabled());
        EXPECT_EQ(d.Edit_VorgabeBreite->text(), QStringLiteral("1000"));
        EXPECT_EQ(d.Combo_TypBreite->currentText(), QStringLiteral("maximum"));
        d.Combo_Maxdp->setCurrentIndex(7); // 200 Pa
        d.Combo_MinPHI->setCurrentIndex(0);
        d.CheckBox_VorgabeBreite->click();
        ASSERT_TRUE(d.WaitForList());
        EXPECT_TRUE(d.Edit_VorgabeBreite->isEnabled());
        EXPECT_TRUE(d.Combo_TypBreite->isEnabled());
        for (const QString& b : Column(d, 2))
            EXPECT_LE(b.toInt(), 1000);
        d.Combo_TypBreite->setCurrentIndex(1); // exactly
        ASSERT_TRUE(d.WaitForList());
        ASSERT_GT(d.ListView1->topLevelItemCount(), 0);
        for (const QString& b : Column(d, 2))
            EXPECT_EQ(b, QStringLiteral("1000"));
    });
    // The dialog is kept, with its criteria and preset.
    OpenWith(w.Button_Vorauswahl, [](Dialog& d) {
        EXPECT_EQ(d.Combo_Maxdp->currentText(), QStringLiteral("200 Pa"));
        EXPECT_TRUE(d.CheckBox_VorgabeBreite->isChecked());
        EXPECT_EQ(d.Combo_TypBreite->currentIndex(), 1);
    });
}

TEST_F(SizeSelection, DesignPageOptionsAreCoupled) {
    TFormTavro& w = Start();
    OpenWith(w.Button_Bauform, [&w](Dialog& d) {
        EXPECT_EQ(d.PageControl->currentWidget(), d.TabSheet_Bauform);
        EXPECT_FALSE(d.CheckBox_Bypass->isChecked());
        EXPECT_FALSE(d.CheckBox_Klappe->isEnabled());
        EXPECT_FALSE(d.Edit_LGeschwBypass->isEnabled());
        EXPECT_FALSE(d.Button_Bauform->isEnabled());
        EXPECT_EQ(d.Combo_AnzahlReihe->itemText(0), QStringLiteral("1 unit"));
        EXPECT_EQ(d.Combo_AnzahlReihe->itemText(3), QStringLiteral("4 units"));
        struct Step {
            QCheckBox* box;
            int design;
            bool damperEnabled;
        };
        const Step steps[] = {
            {d.CheckBox_Bypass, 20, true},   {d.CheckBox_Klappe, 25, true},
            {d.CheckBox_Gehaeuse, 60, true}, {d.CheckBox_Bypass, 30, false},
            {d.CheckBox_Bypass, 40, true},   {d.CheckBox_Gehaeuse, 20, true},
        };
        for (const Step& s : steps) {
            s.box->click();
            EXPECT_EQ(d.PendingDesign, s.design);
            EXPECT_EQ(d.CheckBox_Klappe->isEnabled(), s.damperEnabled) << s.design;
            EXPECT_EQ(d.Edit_LGeschwBypass->isEnabled(), s.damperEnabled) << s.design;
            if (!s.damperEnabled) {
                EXPECT_FALSE(d.CheckBox_Klappe->isChecked());
            }
            EXPECT_TRUE(d.Button_Bauform->isEnabled());
        }
        d.CheckBox_Klappe->click(); // 25
        d.Combo_AnzahlReihe->setCurrentIndex(1);
        d.Combo_AnzahlReihe->activated(1);
        EXPECT_EQ(d.Label_Bauform2->text(),
                  QStringLiteral("Form of design: Tavro 25, 2 units in serial arrangement"));
        d.Button_Bauform->click();
        EXPECT_FALSE(d.Button_Bauform->isEnabled());
        EXPECT_EQ(w.Design, 25);
        EXPECT_EQ(w.SeriesCount, 2);
        EXPECT_EQ(w.Combo_GKante->itemText(0), QStringLiteral("400 mm"));
        EXPECT_TRUE(w.Label_Bauform->text().startsWith(QStringLiteral("Type: Tavro 25 / ")));
        EXPECT_FALSE(w.Label_AnzahlReihe->text().isEmpty());
        // The sizes page follows the owner's design now.
        d.PageControl->setCurrentWidget(d.TabSheet_Baugroessen);
        ASSERT_TRUE(d.WaitForList());
        EXPECT_EQ(d.Label_Bauform1->text(),
                  QStringLiteral("Form of design: Tavro 25, 2 units in serial arrangement"));
        for (const QString& size : Column(d, 0))
            EXPECT_GE(LeadingNumber(size.toStdString()), 400);
    });
    // Opening again shows the owner's design in the options.
    OpenWith(w.Button_Bauform, [](Dialog& d) {
        EXPECT_TRUE(d.CheckBox_Bypass->isChecked());
        EXPECT_TRUE(d.CheckBox_Klappe->isChecked());
        EXPECT_FALSE(d.CheckBox_Gehaeuse->isChecked());
        EXPECT_EQ(d.Combo_AnzahlReihe->currentIndex(), 1);
    });
}

TEST_F(SizeSelection, BypassVelocityIsRangeChecked) {
    TFormTavro& w = Start();
    OpenWith(w.Button_Bauform, [&](Dialog& d) {
        d.CheckBox_Bypass->click();
        TNumEdit* e = d.Edit_LGeschwBypass;
        EXPECT_EQ(e->MinValue(), 5);
        EXPECT_EQ(e->MaxValue(), 15);
        EXPECT_EQ(d.LE_LGeschwBypass->text(), QStringLiteral("m/s"));
        EXPECT_EQ(e->text(), QStringLiteral("15.0"));
        Enter(e, QStringLiteral("16"));
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_TRUE(messages_[0].contains(QStringLiteral("5"))) << messages_[0].toStdString();
        EXPECT_EQ(d.BypassVelocity, 15);
        d.Button_Bauform->click();
        EXPECT_EQ(w.Daten->AirVelBypass, 15);
        Enter(e, QStringLiteral("10"));
        EXPECT_EQ(d.BypassVelocity, 10);
        d.Button_Bauform->click();
        EXPECT_EQ(w.Daten->AirVelBypass, 10);
        EXPECT_EQ(w.Daten->Bypass, BypassWidth(w.Daten->Edge, 10, w.Daten->SVol11));
    });
    w.SetUnitSystem(false);
    OpenWith(w.Button_Bauform, [&](Dialog& d) {
        EXPECT_EQ(d.Edit_LGeschwBypass->MinValue(), 984.25);
        EXPECT_EQ(d.Edit_LGeschwBypass->MaxValue(), 2952.75);
        EXPECT_EQ(d.Edit_LGeschwBypass->text(), QStringLiteral("1968.50"));
        EXPECT_EQ(d.LE_LGeschwBypass->text(), QStringLiteral("fpm"));
        // The highest velocity as shown can be entered again.
        ASSERT_TRUE(d.Edit_LGeschwBypass->isEnabled()); // design 20 applied above
        Enter(d.Edit_LGeschwBypass, QStringLiteral("2952.75"));
        EXPECT_DOUBLE_EQ(d.BypassVelocity, 15);
    });
    // Without Apply the main window keeps its velocity through the closing
    // device change, and the next opening shows that one.
    OpenWith(w.Button_Bauform, [&](Dialog& d) {
        EXPECT_EQ(d.Edit_LGeschwBypass->text(), QStringLiteral("1968.50"));
    });
    EXPECT_EQ(w.Daten->AirVelBypass, 10);
}

// A row of a small edge cannot go to a main window whose design leaves the
// small edges out; it is refused with the message about that design.
TEST_F(SizeSelection, RowOfAnEdgeTheMainWindowDoesNotOfferIsRefused) {
    TFormTavro& w = Start();
    w.SetDesign(25);
    w.Aenderung_Geraet();
    OpenWith(w.Button_Bauform, [&](Dialog& d) {
        d.CheckBox_Bypass->click(); // pending 10, not applied
        ASSERT_EQ(d.PendingDesign, 10);
        d.PageControl->setCurrentWidget(d.TabSheet_Baugroessen);
        d.Combo_MinPHI->setCurrentIndex(0);
        ASSERT_TRUE(d.WaitForList());
        QTreeWidgetItem* small = nullptr;
        for (int i = 0; i < d.ListView1->topLevelItemCount() && !small; ++i) {
            if (LeadingNumber(d.ListView1->topLevelItem(i)->text(0).toStdString()) < 400)
                small = d.ListView1->topLevelItem(i);
        }
        ASSERT_NE(small, nullptr);
        const QString edge = w.Combo_GKante->currentText();
        d.ListView1->setCurrentItem(small);
        d.Button_Baugroesse->click();
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_TRUE(messages_[0].contains(QStringLiteral("200 and 300")));
        EXPECT_EQ(w.Combo_GKante->currentText(), edge);
    });
}

// With TAVRO_SIZE_SHOTS naming a folder: both pages in SI and inch-pound
// as PNG files, for looking at the layout.
TEST_F(SizeSelection, Screenshots) {
    const char* folder = std::getenv("TAVRO_SIZE_SHOTS");
    if (!folder || !*folder) GTEST_SKIP() << "TAVRO_SIZE_SHOTS not set";
    TFormTavro& w = StartWithTenThousand();
    for (bool si : {true, false}) {
        w.SetUnitSystem(si);
        const QString suffix = si ? QStringLiteral("si") : QStringLiteral("ip");
        auto shot = [&](const QString& page) {
            return [=](Dialog& d) {
                if (page == QStringLiteral("design")) d.CheckBox_Bypass->click();
                d.WaitForList();
                QApplication::processEvents();
                const QString file = QStringLiteral("%1/sizes-%2-%3.png")
                                         .arg(QString::fromLocal8Bit(folder), page, suffix);
                EXPECT_TRUE(d.grab().save(file)) << file.toStdString();
                if (page == QStringLiteral("design")) d.CheckBox_Bypass->click();
            };
        };
        OpenWith(w.Button_Vorauswahl, shot(QStringLiteral("sizes")));
        OpenWith(w.Button_Bauform, shot(QStringLiteral("design")));
    }
}

} // namespace
} // namespace tavro
