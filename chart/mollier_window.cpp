#include "chart/mollier_window.h"

#include "chart/mollier_chart.h"
#include "output/painter_canvas.h"
#include "physics/numeric/rounding.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/pictures.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace tavro {

namespace {

constexpr std::array<int, 6> kFixedZooms{25, 50, 75, 100, 150, 200};

QComboBox* MakeCombo(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return c;
}

} // namespace

int ChartFixedZoom(int entry) {
    if (entry < 0 || entry >= int(kFixedZooms.size())) return 100;
    return kFixedZooms[size_t(entry)];
}

int ChartAutoZoom(QSize client) {
    const int byWidth = client.width() * 100 / kChartLayerSize.width();
    const int byHeight = client.height() * 100 / kChartLayerSize.height();
    return std::max(10, std::min(byWidth, byHeight));
}

TFormMollier::TFormMollier(QWidget* parent) : TVkForm(parent) {
    setObjectName(QStringLiteral("FormMollier"));
    setWindowTitle(QStringLiteral("Mollier-Diagramm"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    QHBoxLayout* strip = nullptr;
    Panel1 = MakeToolStrip(this, strip);
    Button_Close = MakeToolButton(Panel1, "Button_Close", "BUTTON_CLOSE", QStringLiteral("X"));
    Button_Seite = MakeToolButton(Panel1, "Button_Seite", "BUTTON_PAGE", QStringLiteral("P"));
    Combo_Carrier = MakeCombo(Panel1, "Combo_Carrier");
    Combo_Temperatur = MakeCombo(Panel1, "Combo_Temperatur");
    Combo_Feuchte = MakeCombo(Panel1, "Combo_Feuchte");
    Combo_Zoom = MakeCombo(Panel1, "Combo_Zoom");
    strip->addWidget(Button_Close);
    strip->addWidget(Button_Seite);
    strip->addSpacing(8);
    for (QWidget* w : std::initializer_list<QWidget*>{Combo_Carrier, Combo_Temperatur,
                                                      Combo_Feuchte, Combo_Zoom}) {
        strip->addWidget(w);
    }
    strip->addStretch(1);

    ScrollBox1 = MakePaintView(this, PaintBox1, [this] { PaintBox1Paint(); });
    StackStripOverView(this, Panel1, ScrollBox1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const std::array<QAction**, kChartZoomEntries> actions{&Zoom25,  &Zoom50,  &Zoom75,  &Zoom100,
                                                           &Zoom150, &Zoom200, &ZoomAuto};
    const std::array<const char*, kChartZoomEntries> names{
        "Zoom25", "Zoom50", "Zoom75", "Zoom100", "Zoom150", "Zoom200", "ZoomAuto"};
    for (int i = 0; i < kChartZoomEntries; ++i) {
        const QString text = i == kChartZoomAuto
                                 ? QStringLiteral("Auto")
                                 : QStringLiteral("%1 %").arg(kFixedZooms[size_t(i)]);
        Combo_Zoom->addItem(text);
        QAction* a = PopupMenu1->addAction(text);
        a->setObjectName(QString::fromLatin1(names[size_t(i)]));
        connect(a, &QAction::triggered, this, [this, i] { Zoom(i); });
        *actions[size_t(i)] = a;
    }
    PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(PaintBox1->mapToGlobal(at)); });

    Combo_Carrier->addItem(QStringLiteral("Mollier"));
    Combo_Carrier->addItem(QStringLiteral("Carrier"));
    FillRangeItems();
    Combo_Zoom->setCurrentIndex(kChartZoomAuto);

    ESC1 = new QAction(this);
    ESC1->setObjectName(QStringLiteral("ESC1"));
    ESC1->setShortcut(QKeySequence(Qt::Key_Escape));
    ESC1->setShortcutContext(Qt::WindowShortcut);
    addAction(ESC1);
    connect(ESC1, &QAction::triggered, this, [this] { Button_CloseClick(); });
    connect(Button_Close, &QToolButton::clicked, this, [this] { Button_CloseClick(); });
    connect(Button_Seite, &QToolButton::clicked, this, [this] { Button_SeiteClick(); });
    connect(Combo_Carrier, &QComboBox::activated, this, [this] { Combo_CarrierChange(); });
    connect(Combo_Temperatur, &QComboBox::activated, this, [this] { Combo_FeuchteChange(); });
    connect(Combo_Feuchte, &QComboBox::activated, this, [this] { Combo_FeuchteChange(); });
    connect(Combo_Zoom, &QComboBox::activated, this, [this] { Combo_ZoomChange(); });

    resize(680, 900);
    CentreOnScreen();
    SetCaptions(); // also records both layers
    Combo_ZoomChange();
}

TFormMollier::~TFormMollier() = default;

void TFormMollier::SetCaptions() {
    setFont(UiFont().font);
    Button_Close->setToolTip(TextOf(151));
    Button_Seite->setToolTip(TextOf(146));
    Combo_Carrier->setToolTip(TextOf(156));
    Combo_Temperatur->setToolTip(TextOf(211));
    Combo_Feuchte->setToolTip(TextOf(209));
    // The range items carry the unit label of the text table.
    FillRangeItems();
    Redraw();
}

void TFormMollier::FillRangeItems() {
    const QSignalBlocker blockT(Combo_Temperatur);
    const QSignalBlocker blockF(Combo_Feuchte);
    Combo_Temperatur->clear();
    Combo_Feuchte->clear();
    for (int i = 0; i < RangeCount(); ++i) {
        Combo_Temperatur->addItem(TemperatureRangeItem(si_, i));
        Combo_Feuchte->addItem(HumidityRangeItem(si_, i));
    }
    Combo_Temperatur->setCurrentIndex(tempRange_);
    Combo_Feuchte->setCurrentIndex(humRange_);
}

ChartSettings TFormMollier::Settings() const {
    return {ChartType, si_, tempRange_, humRange_, pressure_};
}

void TFormMollier::Redraw() {
    const ChartSettings s = Settings();
    try {
        RecordGridLayer(grid_, s);
    } catch (const std::exception&) {
        // A pressure the chart cannot be drawn for: the grid keeps what was
        // drawn; a message from inside a redraw would repeat with every
        // change of the data.
    }
    RecordProcessLayer(process_, s, lines_);
    PaintBox1->update();
}

void TFormMollier::SetChart(double pressureHpa, bool si, std::vector<ChartPolyline> lines) {
    pressure_ = pressureHpa;
    lines_ = std::move(lines);
    if (si != si_) {
        si_ = si;
        FillRangeItems();
    }
    Redraw();
}

void TFormMollier::SetRanges(int tempIndex, int humIndex) {
    tempRange_ = ClampRange(tempIndex);
    humRange_ = ClampRange(humIndex);
    const QSignalBlocker blockT(Combo_Temperatur);
    const QSignalBlocker blockF(Combo_Feuchte);
    Combo_Temperatur->setCurrentIndex(tempRange_);
    Combo_Feuchte->setCurrentIndex(humRange_);
    Redraw();
}

void TFormMollier::SetChartType(int type) {
    ChartType = type == 0 ? 0 : 1;
    const QSignalBlocker block(Combo_Carrier);
    Combo_Carrier->setCurrentIndex(ChartType);
    Redraw();
}

void TFormMollier::Combo_CarrierChange() {
    SetChartType(std::max(0, Combo_Carrier->currentIndex()));
}

void TFormMollier::Combo_FeuchteChange() {
    SetRanges(std::max(0, Combo_Temperatur->currentIndex()),
              std::max(0, Combo_Feuchte->currentIndex()));
}

void TFormMollier::Combo_ZoomChange() {
    const int entry = Combo_Zoom->currentIndex();
    zoom_ = entry == kChartZoomAuto ? ChartAutoZoom(ScrollBox1->maximumViewportSize())
                                    : ChartFixedZoom(entry);
    PaintBox1->setFixedSize(RoundHalfEven(kChartLayerSize.width() * zoom_ / 100.0),
                            RoundHalfEven(kChartLayerSize.height() * zoom_ / 100.0));
    PaintBox1->update();
}

void TFormMollier::Zoom(int entry) {
    Combo_Zoom->setCurrentIndex(std::clamp(entry, 0, kChartZoomEntries - 1));
    Combo_ZoomChange();
}

void TFormMollier::PaintBox1Paint() {
    QPainter painter(PaintBox1);
    const QRect r(QPoint(0, 0), PaintBox1->size());
    painter.fillRect(r, Qt::white);
    TPainterCanvas canvas(painter);
    grid_.Play(canvas, r);
    process_.Play(canvas, r);
}

void TFormMollier::FormResize() {
    Combo_ZoomChange();
}

void TFormMollier::Button_CloseClick() {
    SetModalResult(mrOk);
    if (!IsModal()) close();
}

void TFormMollier::Button_SeiteClick() {
    hide();
    try {
        if (PageCommand) PageCommand();
    } catch (...) {
        show();
        throw;
    }
    show();
}

void TFormMollier::resizeEvent(QResizeEvent* event) {
    TVkForm::resizeEvent(event);
    FormResize();
}

void TFormMollier::showEvent(QShowEvent* event) {
    TVkForm::showEvent(event);
    // The scroll box has its final size only once the window is shown.
    FormResize();
}

} // namespace tavro
