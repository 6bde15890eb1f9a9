// Renders the shell's windows in every language to PNG files, for looking
// at them: the main window, its menus, the information window, the splash,
// each page of the options dialog, the offer header and notes dialogs.
//   tavro-window-shots <out-dir>
// Runs on any Qt platform, offscreen included; uses a throw-away settings
// folder.

#include "app/program.h"
#include "controls/num_edit.h"
#include "output/notes_dialog.h"
#include "output/offer_header_dialog.h"
#include "product/windows/tavro_window.h"
#include "shell/texts/languages.h"
#include "shell/windows/info_window.h"
#include "shell/windows/options_dialog.h"
#include "shell/windows/options_window.h"
#include "shell/windows/splash.h"

#include "controls/vk_controls.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <cstdlib>

using namespace tavro;

namespace {

void Save(QWidget& w, const QString& dir, const QString& name) {
    w.adjustSize();
    w.show();
    QApplication::processEvents();
    w.grab().save(dir + QStringLiteral("/") + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots");
    QDir().mkpath(out);
    auto window = StartTavro(0);
    // Answer every message box (limit warnings) without a person.
    TVkForm::SetModalHook([](TVkForm&) { return int(mrOk); });
    for (int language : AvailableLanguages) {
        const QString tag = QString::number(language);
        CurrentLanguage = static_cast<uint8_t>(language);
        window->ApplyLanguage();
        Save(*window, out, QStringLiteral("main-") + tag);
        // The menus, one after the other.
        for (QAction* a : window->MainMenu1->actions()) {
            if (QMenu* m = a->menu()) {
                m->adjustSize();
                m->grab().save(out + QStringLiteral("/menu-") + tag + QStringLiteral("-") +
                               a->objectName() + QStringLiteral(".png"));
            }
        }
        TFormInfo info(window.get());
        Save(info, out, QStringLiteral("info-") + tag);
        OptionsValues values;
        TVkForm::SetModalHook([&](TVkForm& form) {
            auto& d = dynamic_cast<TFormOptionen&>(form);
            for (int page = 0; page < d.PageControl1->count(); ++page) {
                d.PageControl1->setCurrentIndex(page);
                QApplication::processEvents();
                d.grab().save(out + QStringLiteral("/options-") + tag + QStringLiteral("-") +
                              QString::number(page) + QStringLiteral(".png"));
            }
            return int(mrCancel);
        });
        EditOptions(window.get(), values);
        TVkForm::SetModalHook([](TVkForm&) { return int(mrOk); });
        TFormAngebot offer(window.get());
        offer.Button_VorgabeClick();
        Save(offer, out, QStringLiteral("header-") + tag);
        TFormBemerkungen notes(window.get());
        Save(notes, out, QStringLiteral("notes-") + tag);
    }
    // The main window through a calculation: before and after Calculate,
    // the process tab, two cases, inch-pound units.
    auto* tavro = dynamic_cast<TFormTavro*>(window.get());
    for (int language : AvailableLanguages) {
        const QString tag = QString::number(language);
        CurrentLanguage = static_cast<uint8_t>(language);
        window->ApplyLanguage();
        tavro->SetSeasons(false);
        tavro->SetUnitSystem(true);
        tavro->Aenderung_Daten();
        Save(*window, out, QStringLiteral("tavro-before-") + tag);
        tavro->RunCalculation();
        tavro->RegisterDaten->setCurrentIndex(0);
        Save(*window, out, QStringLiteral("tavro-after-") + tag);
        tavro->RegisterDaten->setCurrentIndex(1);
        Save(*window, out, QStringLiteral("tavro-process-") + tag);
        tavro->SetSeasons(true);
        tavro->SetOperatingCases(2);
        // A cooling case the exchanger can take, so that both cases show results.
        for (int s = 0; s < 2; ++s)
            tavro->Edit_SVol[1][s]->SetValue(2000);
        tavro->Aenderung_Daten();
        tavro->RunCalculation();
        tavro->RegisterDaten->setCurrentIndex(1);
        Save(*window, out, QStringLiteral("tavro-two-cases-process-") + tag);
        tavro->RegisterDaten->setCurrentIndex(0);
        Save(*window, out, QStringLiteral("tavro-two-cases-") + tag);
        tavro->SetUnitSystem(false);
        tavro->RunCalculation();
        Save(*window, out, QStringLiteral("tavro-inch-pound-") + tag);
    }
    TVkForm::SetModalHook(nullptr);

    auto splash = CreateSplash();
    Save(*splash, out, QStringLiteral("splash"));
    window->close();
    return 0;
}
