#include "shell/windows/main_window.h"

#include "controls/message_dialog.h"
#include "controls/vk_controls.h"
#include "output/notes_dialog.h"
#include "output/offer_header_dialog.h"
#include "output/page_frame.h"
#include "physics/numeric/rounding.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_pictures.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/qt_translations.h"
#include "shell/texts/languages.h"
#include "shell/windows/info_window.h"
#include "shell/windows/options_dialog.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

namespace {

// Client area and its limits: the outer limits 640 ... 648 × 510 ... 534
// less the border of 8 × 34 pixels.
constexpr int kClientWidth = 632;
constexpr int kClientHeight = 476;
constexpr int kMenuHeight = 20;
constexpr int kStatusHeight = 20;

struct LanguageItem {
    const char* name;
    int code;
};

constexpr LanguageItem kLanguageItems[] = {
    {"Menu_Optionen_Deutsch", kGerman},  {"Menu_Optionen_English", kEnglish},
    {"Menu_Optionen_Francais", kFrench}, {"Menu_Optionen_Espanol", kSpanish},
    {"Menu_Optionen_Polski", kPolish},   {"Menu_Optionen_Russian", kRussian},
    {"Menu_Optionen_Czech", kCzech},     {"Menu_Optionen_Chinese", kChinese},
};

// Caption text numbers of the menu items; items without a number keep the
// caption they have.
const std::pair<const char*, int> kMenuTexts[] = {
    {"Menu_Datei", 145},
    {"Menu_Datei_Beenden", 164},
    {"Menu_Edit", 153},
    {"Menu_Edit_Kopfzeile", 137},
    {"Menu_Edit_Bemerkungen", 135},
    {"Menu_Edit_Bem_Datenblatt", 159},
    {"Menu_Edit_Bem_Diagramm", 156},
    {"Menu_Ansicht", 175},
    {"Menu_Ansicht_Datenblatt", 159},
    {"Menu_Ansicht_Diagramm", 156},
    {"Menu_Ansicht_Produktbeschreibung", 160},
    {"Menu_Optionen", 173},
    {"Menu_Optionen_Sprache", 174},
    {"Menu_Optionen_Einstellungen", 165},
    {"Menu_Hilfe", 169},
};

} // namespace

TFormBasis::TFormBasis(QWidget* parent) : TVkForm(parent) {
    setObjectName(QStringLiteral("FormBasis"));
    // Border with system menu and minimise button only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(kClientWidth, kClientHeight);
    setMaximumSize(kClientWidth + 8, kClientHeight + 24);
    resize(kClientWidth, kClientHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MainMenu1 = new TVkMainMenu(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    layout->setMenuBar(MainMenu1);

    Panel_Logo = new QFrame(this);
    Panel_Logo->setObjectName(QStringLiteral("Panel_Logo"));
    Panel_Logo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_Logo->setFixedSize(630, 42);
    Image_Logo = new QLabel(Panel_Logo);
    Image_Logo->setObjectName(QStringLiteral("Image_Logo"));
    Image_Logo_R = new QLabel(Panel_Logo);
    Image_Logo_R->setObjectName(QStringLiteral("Image_Logo_R"));
    L_Titel_S = new QLabel(Panel_Logo);
    L_Titel_S->setObjectName(QStringLiteral("L_Titel_S"));
    L_Titel = new QLabel(Panel_Logo);
    L_Titel->setObjectName(QStringLiteral("L_Titel"));
    layout->addSpacing(1);
    layout->addWidget(Panel_Logo, 0, Qt::AlignHCenter);

    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    layout->addWidget(Client, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(kStatusHeight);
    auto* panel1 = new QLabel(StatusBar1);
    panel1->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    panel1->setFixedWidth(500);
    statusPanel_ = panel1;
    auto* panel2 = new QLabel(StatusBar1);
    panel2->setFixedWidth(50);
    StatusBar1->addWidget(panel1);
    StatusBar1->addWidget(panel2);
    layout->addWidget(StatusBar1);
    (void)kMenuHeight;

    BuildMenus();
}

TFormBasis::~TFormBasis() {
    FormDestroy();
}

void TFormBasis::RunCommand(const std::function<void()>& command) {
    // A failing command shows its error and the program goes on.
    try {
        command();
    } catch (const std::exception& e) {
        ShowMessageDialog(QString::fromUtf8(e.what()), TextOf(104), mkError);
    }
}

QAction* TFormBasis::AddItem(QMenu* menu, const char* name) {
    auto* a = new QAction(this);
    a->setObjectName(QString::fromLatin1(name));
    menu->addAction(a);
    items_[a->objectName()] = a;
    return a;
}

QAction* TFormBasis::MenuItem(const QString& name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

void TFormBasis::BuildMenus() {
    auto addMenu = [this](QMenu* parent, const char* name) {
        QMenu* m = parent ? parent->addMenu(QString()) : MainMenu1->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        items_[m->objectName()] = m->menuAction();
        return m;
    };

    QMenu* datei = addMenu(nullptr, "Menu_Datei");
    connect(AddItem(datei, "Menu_Datei_Beenden"), &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Datei_BeendenClick(); }); });

    QMenu* edit = addMenu(nullptr, "Menu_Edit");
    connect(AddItem(edit, "Menu_Edit_Kopfzeile"), &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Edit_KopfzeileClick(); }); });
    edit->addSeparator();
    QMenu* notes = addMenu(edit, "Menu_Edit_Bemerkungen");
    for (const char* name : {"Menu_Edit_Bem_Datenblatt", "Menu_Edit_Bem_Diagramm"}) {
        QAction* a = AddItem(notes, name);
        connect(a, &QAction::triggered, this,
                [this, a] { RunCommand([this, a] { Menu_Edit_BemClick(a); }); });
    }

    QMenu* ansicht = addMenu(nullptr, "Menu_Ansicht");
    connect(AddItem(ansicht, "Menu_Ansicht_Datenblatt"), &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Ansicht_DatenblattClick(); }); });
    connect(AddItem(ansicht, "Menu_Ansicht_Diagramm"), &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Ansicht_DiagrammClick(); }); });
    connect(AddItem(ansicht, "Menu_Ansicht_Produktbeschreibung"), &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Ansicht_ProduktbeschreibungClick(); }); });

    QMenu* optionen = addMenu(nullptr, "Menu_Optionen");
    QMenu* sprache = addMenu(optionen, "Menu_Optionen_Sprache");
    languages_ = new QActionGroup(this);
    languages_->setExclusive(true);
    for (const LanguageItem& l : kLanguageItems) {
        QAction* a = AddItem(sprache, l.name);
        a->setText(
            QString::fromUtf8(LanguageInfoFor(l.code).menuText.data(),
                              static_cast<qsizetype>(LanguageInfoFor(l.code).menuText.size())));
        a->setCheckable(true);
        a->setVisible(false);
        a->setEnabled(false);
        languages_->addAction(a);
        languageOf_[a] = l.code;
        connect(a, &QAction::triggered, this,
                [this, a] { RunCommand([this, a] { Menu_Optionen_DeutschClick(a); }); });
    }
    connect(AddItem(optionen, "Menu_Optionen_Einstellungen"), &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Optionen_EinstellungenClick(); }); });
    QAction* seasons = AddItem(optionen, "Menu_Optionen_UseSeasons");
    seasons->setCheckable(true);
    connect(seasons, &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Optionen_UseSeasonsClick(); }); });

    QMenu* hilfe = addMenu(nullptr, "Menu_Hilfe");
    QAction* info = AddItem(hilfe, "Menu_Hilfe_Info");
    info->setText(QStringLiteral("Info"));
    connect(info, &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Hilfe_InfoClick(); }); });
    hilfe->addSeparator();
    QAction* home = AddItem(hilfe, "Menu_Hilfe_Homepage");
    home->setText(QStringLiteral("Zelvanor Homepage"));
    connect(home, &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Hilfe_HomepageClick(); }); });
    QAction* mail = AddItem(hilfe, "Menu_Hilfe_EMail");
    mail->setText(QStringLiteral("Zelvanor e-mail"));
    connect(mail, &QAction::triggered, this,
            [this] { RunCommand([this] { Menu_Hilfe_EMailClick(); }); });

    // F9 calculates from anywhere in the window; the item shows in no menu.
    auto* calculate = new QAction(this);
    calculate->setObjectName(QStringLiteral("Menu_Calculate"));
    calculate->setShortcut(Qt::Key_F9);
    calculate->setShortcutContext(Qt::WindowShortcut);
    addAction(calculate);
    items_[calculate->objectName()] = calculate;
    connect(calculate, &QAction::triggered, this,
            [this] { RunCommand([this] { Button_BerechnenClick(); }); });
}

void TFormBasis::FormCreate() {
    MenuItem(QStringLiteral("Menu_Optionen_UseSeasons"))->setVisible(true);
    SetOperatingCases(1);
    SetSeasons(false);
    EU = false;
    TotalEff = false;
    WB_DB = false;
    for (const auto& [action, code] : languageOf_) {
        if (IsAvailableLanguage(code)) {
            action->setVisible(true);
            action->setEnabled(true);
        }
    }
    PlaceTitle();
    Header = {};
    NotesDataSheet.clear();
    NotesChart.clear();
    // A list the product window has not filled gets a page with the frame.
    for (PageList* list : {&DataSheetPages, &ChartPages, &DescriptionPages}) {
        if (list->empty()) {
            list->push_back([](PageOwner& owner, TVkCanvas& canvas, bool) {
                DrawPageFrame(owner, canvas, false, false, nullptr);
            });
        }
    }
    const QPixmap leftLogo = ScreenPixmap(3202);
    const QPixmap rightLogo = ScreenPixmap(3203);
    const QSize left = LayoutSize(leftLogo);
    const QSize right = LayoutSize(rightLogo);
    Image_Logo->setPixmap(leftLogo);
    Image_Logo->setGeometry(1, 1, left.width(), std::min(left.height(), 40));
    Image_Logo_R->setPixmap(rightLogo);
    Image_Logo_R->setGeometry(Panel_Logo->width() - 1 - right.width(), 1, right.width(),
                              std::min(right.height(), 40));
    if (Settings) {
        Settings->RemoveStaleTemporaryFiles();
        // A file that cannot be read to its end gives the defaults; writing
        // them at exit would destroy what it holds.
        settingsUnreadable_ = Settings->ReadError() != 0;
    }
    ReadSettings();
    ApplyLanguage();
}

void TFormBasis::SetLogoStripWidth(int width) {
    Panel_Logo->setFixedWidth(width);
    const int w = Image_Logo_R->width();
    Image_Logo_R->move(width - 1 - w, Image_Logo_R->y());
    PlaceTitle();
}

void TFormBasis::SetTitle(const QString& title) {
    L_Titel->setText(title);
    L_Titel_S->setText(title);
    PlaceTitle();
}

void TFormBasis::PlaceTitle() {
    // The title ends 8 pixels before the right logo (at x 530 of the strip
    // when there is no logo); its white shadow lies one pixel right and
    // down behind it, so that it looks embossed.
    const int end = Image_Logo_R->pixmap().isNull() ? 530 : Image_Logo_R->x() - 8;
    // A title longer than the room between the logos is set smaller rather
    // than run under the left logo.
    const int start = Image_Logo->pixmap().isNull() ? 8 : Image_Logo->geometry().right() + 9;
    QFont title = L_Titel->font();
    title.setPixelSize(RoundHalfEven(font().pixelSize() * 1.1));
    while (title.pixelSize() > 8 &&
           QFontMetrics(title).horizontalAdvance(L_Titel->text()) > end - start) {
        title.setPixelSize(title.pixelSize() - 1);
    }
    L_Titel->setFont(title);
    L_Titel_S->setFont(title);
    for (QLabel* l : {L_Titel, L_Titel_S}) {
        l->adjustSize();
        const int dx = l == L_Titel_S ? 1 : 0;
        l->move(end - l->width() + dx, 13 + dx);
    }
    L_Titel->raise();
}

void TFormBasis::SetFonts() {
    setFont(UiFont().font);
    Panel_Logo->setFont(font());
    QFont title = font();
    // The window font's height times 1.1, rounded: 11 pixels become 12.
    title.setPixelSize(RoundHalfEven(font().pixelSize() * 1.1));
    L_Titel->setFont(title);
    L_Titel->setStyleSheet(QStringLiteral("color: rgb(88, 71, 104);"));
    L_Titel_S->setFont(title);
    L_Titel_S->setStyleSheet(QStringLiteral("color: white;"));
    MainMenu1->setFont(font());
    for (QMenu* m : MainMenu1->findChildren<QMenu*>())
        m->setFont(font());
    StatusBar1->setFont(font());
}

void TFormBasis::SetMenuCaptions() {
    for (const auto& [name, n] : kMenuTexts) {
        if (QAction* a = MenuItem(QString::fromLatin1(name))) a->setText(TextOf(n));
    }
    MenuItem(QStringLiteral("Menu_Optionen_UseSeasons"))
        ->setText(TextOf(272) + QStringLiteral(" / ") + TextOf(273));
}

void TFormBasis::SetCaptions() {
    SetFonts();
    SetMenuCaptions();
    PlaceTitle();
    ShowSettingsProblem();
}

void TFormBasis::ShowSettingsProblem() {
    if (!settingsUnreadable_ || !Settings) return;
    const QString message = TextOf(620);
    const QString path = QFile::decodeName(QByteArray::fromStdString(Settings->Path()));
    // A long path gives way in its middle, the message stays whole; the tip
    // shows all of it.
    const QFontMetrics fm(statusPanel_->font());
    const int room = statusPanel_->width() - 8 -
                     fm.horizontalAdvance(QString(message).remove(QStringLiteral("%s")));
    const QString shown = QString(message).replace(
        QStringLiteral("%s"), fm.elidedText(path, Qt::ElideMiddle, std::max(room, 0)));
    statusPanel_->setText(fm.elidedText(shown, Qt::ElideRight, statusPanel_->width() - 8));
    statusPanel_->setToolTip(QString(message).replace(QStringLiteral("%s"), path));
}

void TFormBasis::ApplyLanguage() {
    for (const auto& [action, code] : languageOf_)
        action->setChecked(code == CurrentLanguage);
    StoreLanguage(CurrentLanguage);
    ApplyLanguageFonts();
    ApplyQtTranslations(CurrentLanguage);
    SetCaptions();
    RefreshUnits();
    // Every other window that exists sets its captions again.
    for (TVkForm* form : TVkForm::Forms()) {
        if (form != this) form->SetCaptions();
    }
}

void TFormBasis::Menu_Optionen_DeutschClick(QAction* sender) {
    const auto it = languageOf_.find(sender);
    if (it == languageOf_.end()) return;
    CurrentLanguage = static_cast<uint8_t>(it->second);
    ApplyLanguage();
}

// The base versions of the overridable operations.

void TFormBasis::ShowStoredInputs() {}
void TFormBasis::SetResultsValid(bool) {}
bool TFormBasis::ValidateAndReport() {
    return false;
}

void TFormBasis::SetUnitSystem(bool si) {
    SI = si;
    RefreshUnits();
}

void TFormBasis::SetHumidityMode(uint8_t mode) {
    AirState = mode;
}
void TFormBasis::SetVolumeReference(uint8_t reference) {
    VolumeReference = reference;
}
void TFormBasis::SetAirQuantityMode(uint8_t mode) {
    AirQuant = mode;
}
void TFormBasis::SetOperatingCases(uint8_t cases) {
    SeasonMode = cases;
}

void TFormBasis::SetSeasons(bool seasons) {
    UseSeasons = seasons;
    MenuItem(QStringLiteral("Menu_Optionen_UseSeasons"))->setChecked(seasons);
}

void TFormBasis::RunCalculation() {}
void TFormBasis::ClearResults() {}
void TFormBasis::OptionsApplied() {
    ApplyLanguage();
}
void TFormBasis::RefreshUnits() {}
void TFormBasis::ShowDiagram(bool, bool) {}

} // namespace tavro
