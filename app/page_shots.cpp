// Renders the pages as the user gets them, for looking at them: the data
// sheet's preview window and its exported PDF file in SI and inch-pound
// units, with one and two operating cases, in English, German, Russian and
// Chinese, and for every form of design; the chart window in both chart
// kinds with its chart page, and the product description page.
//   tavro-page-shots <out-dir>
// Writes preview-<name>.png and sheet-<name>.pdf for every page shown, and
// chart-<name>.png for the chart window.
// Runs on any Qt platform, offscreen included; uses a throw-away settings
// folder and opens no viewer.

#include "app/program.h"
#include "chart/mollier_window.h"
#include "controls/message_dialog.h"
#include "controls/num_edit.h"
#include "output/page_preview_window.h"
#include "output/pdf_export.h"
#include "product/windows/tavro_window.h"
#include "shell/texts/languages.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>

using namespace tavro;

int main(int argc, char** argv) {
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("pages");
    QDir().mkpath(out);
    auto window = StartTavro(0);
    auto* tavro = dynamic_cast<TFormTavro*>(window.get());
    if (!tavro) return 1;
    SetDocumentOpener([](const QString&) { return true; });

    QString name;
    TFormSeite::SetSaveDialogHook(
        [&](QWidget*, const QString&) { return out + QStringLiteral("/sheet-") + name + ".pdf"; });
    // The preview is shown instead of being run modally: it is grabbed
    // with the page at "Zoom to width", then the PDF button is pressed.
    TVkForm::SetModalHook([&](TVkForm& form) {
        if (auto* preview = dynamic_cast<TFormSeite*>(&form)) {
            preview->setWindowState(Qt::WindowNoState);
            preview->resize(1100, 1400);
            preview->show();
            QApplication::processEvents();
            preview->grab().save(out + QStringLiteral("/preview-") + name + ".png");
            preview->Button_PDF->click();
            preview->hide();
        } else if (auto* chart = dynamic_cast<TFormMollier*>(&form)) {
            // The chart window as the user sees it, then its page.
            chart->resize(900, 1000);
            chart->show();
            QApplication::processEvents();
            chart->grab().save(out + QStringLiteral("/chart-") + name + ".png");
            const QString shown = name;
            name = QStringLiteral("chartpage-") + shown;
            chart->Button_Seite->click();
            name = shown;
            chart->hide();
        } else if (auto* message = dynamic_cast<TMessageForm*>(&form)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(message->Message()));
        }
        return int(mrOk);
    });
    const std::pair<int, const char*> languages[] = {
        {kEnglish, "en"}, {kGerman, "de"}, {kRussian, "ru"}, {kPolish, "pl"}, {kChinese, "zh"}};
    // Notes as users type them: names and symbols outside most code pages.
    tavro->NotesDataSheet = {"Žilina, Łódź, Plzeň; Москва; Ω ½ №; Αθήνα; 北京"};
    for (const auto& [language, tag] : languages) {
        CurrentLanguage = static_cast<uint8_t>(language);
        window->ApplyLanguage();
        for (bool si : {true, false}) {
            for (int cases : {1, 2}) {
                name =
                    QStringLiteral("%1-%2-%3")
                        .arg(QLatin1String(tag), si ? QStringLiteral("si") : QStringLiteral("ip"))
                        .arg(cases);
                tavro->SetUnitSystem(si);
                tavro->SetSeasons(cases == 2);
                tavro->SetOperatingCases(static_cast<uint8_t>(cases));
                // The cooling case with the heating case's air flows.
                for (size_t stream = 0; cases == 2 && stream < 2; ++stream)
                    tavro->Edit_SVol[1][stream]->SetValue(tavro->Edit_SVol[0][stream]->Value());
                tavro->Aenderung_Daten();
                tavro->RunCalculation();
                if (!tavro->Button_Datenblatt->isEnabled()) {
                    std::fprintf(stderr, "%s: the calculation gave no data sheet\n",
                                 qPrintable(name));
                    continue;
                }
                tavro->Button_Datenblatt->click();
                std::printf("%s\n", qPrintable(name));
            }
        }
    }
    // Every other form of design with one and four units in series.
    CurrentLanguage = kEnglish;
    window->ApplyLanguage();
    tavro->SetUnitSystem(true);
    tavro->SetSeasons(false);
    const std::pair<int, int> designs[] = {{10, 4}, {20, 1}, {20, 4}, {25, 1}, {25, 4}, {30, 1},
                                           {30, 4}, {40, 1}, {40, 4}, {60, 1}, {60, 4}};
    for (const auto& [design, units] : designs) {
        tavro->SetDesign(design);
        tavro->SetSeriesCount(units);
        tavro->Aenderung_Geraet();
        tavro->RunCalculation();
        name = QStringLiteral("design-%1-%2").arg(design).arg(units);
        if (!tavro->Button_Datenblatt->isEnabled()) {
            std::fprintf(stderr, "%s: the calculation gave no data sheet\n", qPrintable(name));
            continue;
        }
        tavro->Button_Datenblatt->click();
        std::printf("%s\n", qPrintable(name));
    }
    // The chart in both kinds, in English, German, Russian, Polish and
    // Chinese, SI and inch-pound.
    tavro->SetDesign(10);
    tavro->SetSeriesCount(1);
    tavro->Aenderung_Geraet();
    const std::pair<int, const char*> chartLanguages[] = {
        {kEnglish, "en"}, {kGerman, "de"}, {kRussian, "ru"}, {kPolish, "pl"}, {kChinese, "zh"}};
    for (const auto& [language, tag] : chartLanguages) {
        CurrentLanguage = static_cast<uint8_t>(language);
        window->ApplyLanguage();
        for (bool si : {true, false}) {
            tavro->SetUnitSystem(si);
            tavro->RunCalculation();
            const QString units = si ? QStringLiteral("si") : QStringLiteral("ip");
            for (bool psychro : {false, true}) {
                tavro->PsychroChart = psychro;
                name = QStringLiteral("%1-%2-%3")
                           .arg(QLatin1String(tag), units,
                                psychro ? QStringLiteral("carrier") : QStringLiteral("mollier"));
                tavro->Button_Diagramm->click();
                std::printf("chart %s\n", qPrintable(name));
            }
        }
    }
    // The product description in every language of the program.
    for (int language : AvailableLanguages) {
        CurrentLanguage = static_cast<uint8_t>(language);
        window->ApplyLanguage();
        name = QStringLiteral("description-%1").arg(language);
        tavro->Button_Produktbeschreibung->click();
        std::printf("%s\n", qPrintable(name));
    }
    TVkForm::SetModalHook(nullptr);
    window->close();
    return 0;
}
