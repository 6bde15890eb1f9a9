// The product level of the main window: its controls, layout and captions.

#include "product/windows/product_window.h"

#include "controls/daten_grid.h"
#include "controls/named_widget.h"
#include "controls/num_edit.h"
#include "product/model/limit_bounds.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_pictures.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "shell/texts/pictures.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTabWidget>

namespace tavro {

namespace {

constexpr int kMargin = 2;
constexpr int kSeasonStrip = 25; // the strip for the case labels
constexpr int kRightWidth = 246; // device and button panels: 632 pixels in all with one case
// The label column of the tables: 8 pixels wider than the usual 177, taken
// from the device panel, so that the longest row label of the German and
// English table ("Temperature efficiency dry ErP Lot 6") fits.
constexpr int kLabelColumn = 185;

QFrame* MakePanel(QWidget* parent, const char* name) {
    QFrame* f = MakeNamed<QFrame>(parent, name);
    f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return f;
}

TDatenGrid* MakeGrid(QWidget* parent, const char* name, int rows) {
    TDatenGrid* g = MakeNamed<TDatenGrid>(parent, name);
    g->SetRowCount(rows);
    return g;
}

} // namespace

TFormProdukt::TFormProdukt(QWidget* parent) : TFormBasis(parent) {
    BuildInputs();
    BuildResults();
    BuildButtons();
    SetTabOrder({});
}

void TFormProdukt::SetTabOrder(const std::vector<QWidget*>& devicePanel) {
    std::vector<QWidget*> chain;
    for (const auto* row : {&Edit_SVol, &Edit_Temp, &Edit_Feuchte}) {
        for (int c = 0; c < 2; ++c) {
            for (int s = 0; s < 2; ++s)
                chain.push_back((*row)[c][s]);
        }
    }
    chain.push_back(RegisterDaten);
    chain.insert(chain.end(), devicePanel.begin(), devicePanel.end());
    for (QWidget* b : {Button_Vorauswahl, Button_Berechnen, Button_Bauform, Button_Diagramm,
                       Button_Datenblatt, Button_Produktbeschreibung}) {
        chain.push_back(b);
    }
    for (size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void TFormProdukt::BuildInputs() {
    Panel_Lufteintritt = MakePanel(Client, "Panel_Lufteintritt");
    Tabelle_Lufteintritt = MakeGrid(Panel_Lufteintritt, "Tabelle_Lufteintritt", 10);
    LB_Zuluft = MakeNamed<QLabel>(Panel_Lufteintritt, "LB_Zuluft");
    LB_Abluft = MakeNamed<QLabel>(Panel_Lufteintritt, "LB_Abluft");
    LB_Zuluft_S = MakeNamed<QLabel>(Panel_Lufteintritt, "LB_Zuluft_S");
    LB_Abluft_S = MakeNamed<QLabel>(Panel_Lufteintritt, "LB_Abluft_S");
    for (QLabel* l : {LB_Zuluft, LB_Abluft, LB_Zuluft_S, LB_Abluft_S}) {
        l->setAlignment(Qt::AlignCenter);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    Edit_Winter = MakeNamed<QLabel>(Panel_Lufteintritt, "Edit_Winter");
    Edit_Sommer = MakeNamed<QLabel>(Panel_Lufteintritt, "Edit_Sommer");
    for (QLabel* l : {Edit_Winter, Edit_Sommer}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    }
    Panel_Seasons = MakeNamed<QFrame>(Panel_Lufteintritt, "Panel_Seasons");
    Button_Seasons = MakeNamed<QPushButton>(Panel_Seasons, "Button_Seasons");
    Button_Seasons->setGeometry(0, 0, 22, 20);
    Button_Seasons->setFocusPolicy(Qt::NoFocus);
    connect(Button_Seasons, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Button_SeasonsClick(); }); });

    const char* names[3][2][2] = {
        {{"Edit_SVol11", "Edit_SVol21"}, {"Edit_SVol11_S", "Edit_SVol21_S"}},
        {{"Edit_Temp11", "Edit_Temp21"}, {"Edit_Temp11_S", "Edit_Temp21_S"}},
        {{"Edit_Feuchte11", "Edit_Feuchte21"}, {"Edit_Feuchte11_S", "Edit_Feuchte21_S"}}};
    for (int c = 0; c < 2; ++c) {
        for (int s = 0; s < 2; ++s) {
            auto make = [&](int quantity, int decimals) {
                TNumEdit* e = MakeNamed<TNumEdit>(Panel_Lufteintritt, names[quantity][c][s]);
                e->SetFormat(ffFixed);
                e->SetDigits(decimals);
                e->setFrame(false);
                e->OnCalculate = [this, quantity, c, s](TCustomNumEdit&) {
                    RunCommand([this] { Aenderung_Daten(); });
                    if (quantity == 0 && c == 0 && s == 0) OutsideAirVolumeChanged();
                };
                return e;
            };
            Edit_SVol[c][s] = make(0, 0);
            Edit_Temp[c][s] = make(1, 1);
            Edit_Feuchte[c][s] = make(2, 1);
            Edit_Temp[c][s]->SetValidation(true);
            Edit_Feuchte[c][s]->SetMaxValue(kLimitBounds.maxRelativeHumidity);
        }
    }
}

void TFormProdukt::BuildResults() {
    Panel_w_dp = MakePanel(Client, "Panel_w_dp");
    Tabelle_w_dp = MakeGrid(Panel_w_dp, "Tabelle_w_dp", 3);
    RegisterDaten = MakeNamed<QTabWidget>(Client, "RegisterDaten");
    RegisterDaten->setTabPosition(QTabWidget::South);
    RegisterDaten->setDocumentMode(false);
    TabSheet_Luftaustritt = MakeNamed<QWidget>(nullptr, "TabSheet_Luftaustritt");
    TabSheet_Prozessdaten = MakeNamed<QWidget>(nullptr, "TabSheet_Prozessdaten");
    Tabelle_Luftaustritt = MakeGrid(TabSheet_Luftaustritt, "Tabelle_Luftaustritt", 7);
    Tabelle_Prozessdaten = MakeGrid(TabSheet_Prozessdaten, "Tabelle_Prozessdaten", 8);
    LB_Hinweis = MakeNamed<QLabel>(TabSheet_Luftaustritt, "LB_Hinweis");
    LB_Hinweis->setAlignment(Qt::AlignCenter);
    RegisterDaten->addTab(TabSheet_Luftaustritt, QString());
    RegisterDaten->addTab(TabSheet_Prozessdaten, QString());
    RegisterDaten->setCurrentIndex(0);
}

void TFormProdukt::BuildButtons() {
    Panel_Geraet = MakePanel(Client, "Panel_Geraet");
    Panel_Buttons = MakePanel(Client, "Panel_Buttons");
    Button_Vorauswahl = MakeNamed<QPushButton>(Panel_Buttons, "Button_Vorauswahl");
    Button_Berechnen = MakeNamed<QPushButton>(Panel_Buttons, "Button_Berechnen");
    Button_Bauform = MakeNamed<QPushButton>(Panel_Buttons, "Button_Bauform");
    Button_Diagramm = MakeNamed<QPushButton>(Panel_Buttons, "Button_Diagramm");
    Button_Datenblatt = MakeNamed<QPushButton>(Panel_Buttons, "Button_Datenblatt");
    Button_Produktbeschreibung =
        MakeNamed<QPushButton>(Panel_Buttons, "Button_Produktbeschreibung");
    const int w = kRightWidth - 16;
    const int half = (w - 6) / 2;
    Button_Vorauswahl->setGeometry(8, 8, half, 26);
    Button_Berechnen->setGeometry(8 + half + 6, 8, half, 26);
    Button_Bauform->setGeometry(8, 40, half, 26);
    Button_Diagramm->setGeometry(8, 76, w, 26);
    Button_Datenblatt->setGeometry(8, 106, w, 26);
    Button_Produktbeschreibung->setGeometry(8, 136, w, 26);
    connect(Button_Berechnen, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Button_BerechnenClick(); }); });
    connect(Button_Diagramm, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Menu_Ansicht_DiagrammClick(); }); });
    connect(Button_Datenblatt, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Menu_Ansicht_DatenblattClick(); }); });
    connect(Button_Produktbeschreibung, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Menu_Ansicht_ProduktbeschreibungClick(); }); });
}

void TFormProdukt::SetTableColumns(TDatenGrid* grid) {
    static constexpr int kOne[] = {kLabelColumn, 70, 3, 70, 3, 38};
    static constexpr int kTwo[] = {kLabelColumn, 70, 3, 70, 15, 70, 3, 70, 3, 38};
    if (SeasonMode == 2) {
        grid->SetColCount(10);
        for (int i = 0; i < 10; ++i)
            grid->SetColWidths(i, kTwo[i]);
    } else {
        grid->SetColCount(6);
        for (int i = 0; i < 6; ++i)
            grid->SetColWidths(i, kOne[i]);
    }
    grid->resize(grid->CellsSize().width() + 7, grid->CellsSize().height());
}

int TFormProdukt::ProcessRowCount() const {
    ShownFlags flags;
    flags.frost = UseFrostCheck;
    return ShownRowsMax(ShownTable::ProcessData, flags);
}

void TFormProdukt::LayOut() {
    const bool two = SeasonMode == 2;
    // Room for the frost rows below the process data while the check is on.
    Tabelle_Prozessdaten->SetRowCount(ProcessRowCount());
    const int strip = UseSeasons ? kSeasonStrip : 0;
    for (TDatenGrid* g :
         {Tabelle_Lufteintritt, Tabelle_w_dp, Tabelle_Luftaustritt, Tabelle_Prozessdaten}) {
        SetTableColumns(g);
    }
    const int gridWidth = Tabelle_Lufteintritt->width();
    const int panelWidth = gridWidth + 4;

    // Inlet panel: the case strip, the stream headings over row 0, the table.
    Panel_Lufteintritt->setGeometry(kMargin, kMargin, panelWidth,
                                    strip + Tabelle_Lufteintritt->height() + 4);
    Tabelle_Lufteintritt->move(2, 2 + strip);
    auto over = [this](QWidget* w, int col, int row) {
        const QRect cell = Tabelle_Lufteintritt->CellRect(col, row);
        w->setGeometry(cell.translated(Tabelle_Lufteintritt->pos()));
    };
    over(LB_Zuluft, ValueColumn(0, 0), 0);
    over(LB_Abluft, ValueColumn(0, 1), 0);
    over(LB_Zuluft_S, ValueColumn(1, 0), 0);
    over(LB_Abluft_S, ValueColumn(1, 1), 0);
    LB_Zuluft_S->setVisible(two);
    LB_Abluft_S->setVisible(two);
    for (QLabel* l : {LB_Zuluft, LB_Abluft, LB_Zuluft_S, LB_Abluft_S})
        l->raise();
    // The case labels span their two value columns.
    const QRect w0 =
        Tabelle_Lufteintritt->CellRect(1, 0).united(Tabelle_Lufteintritt->CellRect(3, 0));
    Edit_Winter->setGeometry(w0.left() + 2, 3, w0.width(), strip - 4);
    Edit_Winter->setVisible(UseSeasons);
    if (two) {
        const QRect s0 =
            Tabelle_Lufteintritt->CellRect(5, 0).united(Tabelle_Lufteintritt->CellRect(7, 0));
        Edit_Sommer->setGeometry(s0.left() + 2, 3, s0.width(), strip - 4);
    }
    Edit_Sommer->setVisible(UseSeasons && two);
    Panel_Seasons->setGeometry(panelWidth - 28, 3, 22, 20);
    Panel_Seasons->setVisible(UseSeasons);
    PlaceEdits();

    int y = Panel_Lufteintritt->geometry().bottom() + 1 + kMargin;
    Panel_w_dp->setGeometry(kMargin, y, panelWidth, Tabelle_w_dp->height() + 4);
    Tabelle_w_dp->move(2, 2);
    y = Panel_w_dp->geometry().bottom() + 1 + kMargin;
    const int pageHeight = Tabelle_Prozessdaten->height() + 4;
    RegisterDaten->setGeometry(kMargin, y, panelWidth, pageHeight + 26);
    Tabelle_Luftaustritt->move(0, 0);
    Tabelle_Prozessdaten->move(0, 0);
    const int leftBottom = RegisterDaten->geometry().bottom() + 1;

    const int right = kMargin + panelWidth + kMargin;
    Panel_Geraet->setGeometry(right, kMargin, kRightWidth, 262);
    Panel_Buttons->setGeometry(right, Panel_Geraet->geometry().bottom() + 1 + kMargin, kRightWidth,
                               leftBottom - Panel_Geraet->geometry().bottom() - 1 - kMargin);

    // The window follows its content: 158 pixels wider for the second case,
    // taller by the case strip.
    const int clientWidth = right + kRightWidth + kMargin;
    const int clientHeight = std::max(leftBottom, Panel_Buttons->geometry().bottom() + 1) + kMargin;
    Client->setFixedSize(clientWidth, clientHeight);
    SetLogoStripWidth(std::max(630, clientWidth - 2));
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->activate();
    setFixedSize(layout()->totalSizeHint());
    ShowHint();
}

void TFormProdukt::PlaceEdits() {
    // Each edit lies over the value cell of the row of the quantity it takes.
    const int flowRow = AirQuant == 1 ? 4 : AirQuant == 3 ? 2 : 1;
    const int humidityRow = AirState == 1 ? 7 : AirState == 7 ? 8 : 6;
    for (int c = 0; c < 2; ++c) {
        const bool shown = c == 0 || SeasonMode == 2;
        for (int s = 0; s < 2; ++s) {
            const int col = ValueColumn(c, s);
            const std::pair<TNumEdit*, int> edits[] = {{Edit_SVol[c][s], flowRow},
                                                       {Edit_Temp[c][s], 5},
                                                       {Edit_Feuchte[c][s], humidityRow}};
            for (const auto& [edit, row] : edits) {
                if (shown) {
                    const QRect cell = Tabelle_Lufteintritt->CellRect(col, row);
                    edit->setGeometry(cell.translated(Tabelle_Lufteintritt->pos()));
                }
                edit->setVisible(shown);
                edit->raise();
            }
        }
    }
}

QString TFormProdukt::Number(double value, int decimals, bool thousands) {
    return QString::fromStdString(
        FormatNumber(value, thousands ? ffNumber : ffFixed, 15, decimals));
}

void TFormProdukt::SetCaptions() {
    TFormBasis::SetCaptions();
    const bool english = CurrentLanguage == kEnglish;
    const QString outside = english ? QStringLiteral("Outside air") : TextOf(3);
    const QString ret = english ? QStringLiteral("Return air") : TextOf(4);
    LB_Zuluft->setText(outside);
    LB_Abluft->setText(ret);
    LB_Zuluft_S->setText(outside);
    LB_Abluft_S->setText(ret);
    Edit_Winter->setText(TextOf(272));
    Edit_Sommer->setText(TextOf(273));
    SetInputLimits();
    RegisterDaten->setTabText(0, QStringLiteral("  ") + TextOf(10) + QStringLiteral("  "));
    RegisterDaten->setTabText(1, QStringLiteral("  ") + TextOf(11) + QStringLiteral("  "));
    Button_Vorauswahl->setText(TextOf(192));
    Button_Berechnen->setText(TextOf(155));
    Button_Bauform->setText(TextOf(183));
    Button_Diagramm->setText(TextOf(156));
    Button_Datenblatt->setText(TextOf(159));
    Button_Produktbeschreibung->setText(TextOf(160));
    QFont italic = font();
    italic.setItalic(true);
    LB_Hinweis->setFont(italic);
    ShowSeasonGlyph();
    RefreshUnits();
    if (ResultsValid) ShowHint();
}

void TFormProdukt::ShowSeasonGlyph() {
    try {
        Button_Seasons->setIcon(ScreenIcon(SeasonMode == 2 ? "BUTTON_HIDE" : "BUTTON_SHOW"));
    } catch (const ResourceError&) {
        Button_Seasons->setText(SeasonMode == 2 ? QStringLiteral("-") : QStringLiteral("+"));
    }
}

} // namespace tavro
