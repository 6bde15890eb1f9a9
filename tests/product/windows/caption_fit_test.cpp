// Every caption of every window fits its control in all six languages: the
// main window with one and two cases, both result tabs, SI and inch-pound
// units, both efficiency methods; the options dialog's pages, the
// information window, the offer header and notes dialogs, the size
// selection's pages and the chart window.

#include "tests/support/caption_fit.h"
#include "tests/support/tavro_window_fixture.h"

#include "chart/mollier_window.h"
#include "controls/num_edit.h"
#include "product/windows/document_dialogs.h"
#include "product/windows/size_selection_dialog.h"
#include "shell/qt/qt_text.h"
#include "shell/windows/options_window.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>

namespace tavro {
namespace {

class CaptionFit : public test::TavroWindowTest {
protected:
    // Every page of every page control of a dialog, one after the other.
    int OnModal(TVkForm& form) override {
        const QList<QTabWidget*> controls = form.findChildren<QTabWidget*>();
        if (controls.isEmpty()) Inspect(form, QString());
        for (QTabWidget* pages : controls) {
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                QApplication::processEvents();
                Inspect(form, QStringLiteral("page %1").arg(i));
            }
            pages->setCurrentIndex(0);
        }
        return mrCancel;
    }

    void Inspect(QWidget& window, const QString& state) {
        QApplication::processEvents();
        const QString where = QStringLiteral("%1 %2 %3")
                                  .arg(LanguageName())
                                  .arg(window.objectName())
                                  .arg(state)
                                  .trimmed();
        report_ += test::Describe(
            test::FindMisfits(window, {QStringLiteral("L_Titel_S"), QStringLiteral("Image_Bild")}),
            where);
    }

    static QString LanguageName() {
        switch (CurrentLanguage) {
        case kGerman:
            return QStringLiteral("de");
        case kEnglish:
            return QStringLiteral("en");
        case kFrench:
            return QStringLiteral("fr");
        case kPolish:
            return QStringLiteral("pl");
        case kChinese:
            return QStringLiteral("zh");
        case kRussian:
            return QStringLiteral("ru");
        default:
            return QString::number(CurrentLanguage);
        }
    }

    // Both result tabs of the main window as it stands.
    void InspectMain(TFormTavro& w, const QString& state) {
        for (int tab = 0; tab < 2; ++tab) {
            w.RegisterDaten->setCurrentIndex(tab);
            Inspect(w,
                    state + (tab == 0 ? QStringLiteral(", outlet") : QStringLiteral(", process")));
        }
        w.RegisterDaten->setCurrentIndex(0);
    }

    void InspectLanguage(TFormTavro& w, int language) {
        CurrentLanguage = static_cast<uint8_t>(language);
        w.ApplyLanguage();
        w.SetSeasons(false);
        w.SetUnitSystem(true);
        w.EU = false;
        w.HCLASS = true;
        w.Aenderung_Daten();
        InspectMain(w, QStringLiteral("before Calculate"));
        w.RunCalculation();
        ASSERT_TRUE(w.ResultsValid);
        InspectMain(w, QStringLiteral("one case"));
        w.EU = true;
        w.RunCalculation();
        InspectMain(w, QStringLiteral("effectiveness"));
        w.EU = false;
        w.SetSeasons(true);
        w.SetOperatingCases(2);
        for (int s = 0; s < 2; ++s)
            w.Edit_SVol[1][s]->SetValue(2000);
        w.Aenderung_Daten();
        w.RunCalculation();
        ASSERT_TRUE(w.ResultsValid);
        InspectMain(w, QStringLiteral("two cases"));
        w.SetUnitSystem(false);
        w.RunCalculation();
        ASSERT_TRUE(w.ResultsValid);
        InspectMain(w, QStringLiteral("two cases, inch-pound"));
        w.SetUnitSystem(true);
        w.SetSeasons(false);
        w.RunCalculation();

        // The dialogs, each inspected where it is shown modally.
        w.Menu_Optionen_EinstellungenClick();
        w.Menu_Edit_KopfzeileClick();
        w.Menu_Edit_BemClick(w.MenuItem(QStringLiteral("Menu_Edit_Bem_Datenblatt")));
        w.Menu_Hilfe_InfoClick();
        w.Button_Vorauswahl->click();
        w.ShowDiagram(true, true);
        // The question and the list of figures of the selection documents,
        // with their longest texts.
        AskDocumentQuestion(
            &w, TextOf(730), QStringLiteral("Tavro"),
            {{TextOf(149), mrOk}, {TextOf(726), mrDiscard}, {TextOf(161), mrCancel}});
        TFormZahlenliste list(
            TextOf(733), TextOf(734),
            {TextOf(735), TextOf(736), TextOf(737), TextOf(738), TextOf(739)},
            {{QStringLiteral("1"), QStringLiteral("Temp12"), QStringLiteral("18.5"),
              QStringLiteral("19"), QStringLiteral("+0.5")}},
            &w);
        list.ShowModal();
    }

    QString report_;
};

TEST_F(CaptionFit, EveryCaptionFitsItsControlInEveryLanguage) {
    TFormTavro& w = Start();
    for (int language : AvailableLanguages)
        InspectLanguage(w, language);
    EXPECT_TRUE(report_.isEmpty()) << report_.toStdString();
}

TEST_F(CaptionFit, ALongTitleIsSetSmallerInsteadOfRunningUnderTheLeftLogo) {
    TFormTavro& w = Start();
    const int titleSize = w.L_Titel->font().pixelSize();
    EXPECT_EQ(titleSize, 12);
    w.SetTitle(
        QStringLiteral("Tavro - A product title far too long for the room between the logos"));
    EXPECT_LT(w.L_Titel->font().pixelSize(), titleSize);
    EXPECT_GE(w.L_Titel->x(), w.Image_Logo->geometry().right() + 8);
    EXPECT_LE(w.L_Titel->geometry().right(), w.Image_Logo_R->x() - 8);
    EXPECT_EQ(w.L_Titel_S->font(), w.L_Titel->font());
    // A title that fits keeps its size.
    w.SetTitle(QStringLiteral("Tavro"));
    EXPECT_EQ(w.L_Titel->font().pixelSize(), titleSize);
}

TEST_F(CaptionFit, TheCondensationHintStaysClearOfItsTabsEdges) {
    CurrentLanguage = kGerman;
    TFormTavro& w = Start();
    for (int cases : {1, 2}) {
        w.SetSeasons(cases == 2);
        w.SetOperatingCases(static_cast<uint8_t>(cases));
        for (int s = 0; s < 2; ++s)
            w.Edit_SVol[1][s]->SetValue(2000);
        w.Aenderung_Daten();
        w.RunCalculation();
        ASSERT_TRUE(w.ResultsValid);
        ASSERT_TRUE(w.LB_Hinweis->text().endsWith(QStringLiteral("nicht berücksichtigt!")));
        const QRect page = w.TabSheet_Luftaustritt->rect().adjusted(2, 0, -2, 0);
        EXPECT_TRUE(page.contains(w.LB_Hinweis->geometry())) << cases << " cases";
        // Still centred where the page leaves room for it.
        if (cases == 2) {
            EXPECT_NEAR(w.LB_Hinweis->geometry().center().x(), 324, 1);
        }
    }
    // French sets a non-breaking space before the exclamation mark, Chinese
    // the full-width one of its texts.
    CurrentLanguage = kFrench;
    w.ApplyLanguage();
    EXPECT_TRUE(w.LB_Hinweis->text().startsWith(QStringLiteral("Condensation\u00A0! - ")));
    CurrentLanguage = kChinese;
    w.ApplyLanguage();
    EXPECT_TRUE(w.LB_Hinweis->text().startsWith(QStringLiteral("出现冷凝\uFF01 - ")))
        << w.LB_Hinweis->text().toStdString();
}

} // namespace
} // namespace tavro
