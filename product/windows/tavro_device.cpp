// The device panel of the main window: edge, package width and plate
// distance, the designation, the outer dimensions and the weight, and the
// stored device selection.

#include "product/windows/tavro_window.h"

#include "product/windows/tavro_document.h"

#include "controls/named_widget.h"
#include "controls/num_edit.h"
#include "output/chart_page.h"
#include "output/data_sheet_page.h"
#include "output/description_page.h"
#include "output/sketch.h"
#include "physics/numeric/errors.h"
#include "physics/unit_conversion.h"
#include "product/catalogue/catalogue.h"
#include "product/catalogue/dimensions.h"
#include "product/model/limit_bounds.h"
#include "shell/qt/qt_text.h"
#include "shell/settings/shell_settings.h"
#include "shell/texts/number_format.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>

namespace tavro {

namespace {

bool IsDesign(int d) {
    return d == 10 || d == 20 || d == 25 || d == 30 || d == 40 || d == 60;
}

// Package widths the catalogue builds: from the smallest the limit check
// lets pass up to four times the largest edge, the widest proportion the
// size selection offers.
constexpr int kMinWidth = kLimitBounds.minWidth;
constexpr int kMaxWidth = 4 * kEdges.back();

QString GapEntry(double gap) {
    return QString::fromStdString(FormatNumber(gap, ffFixed, 15, 1)) + QStringLiteral(" mm");
}

} // namespace

TFormTavro::TFormTavro(QWidget* parent) : TFormProdukt(parent) {
    setObjectName(QStringLiteral("FormTavro"));
    setWindowTitle(QStringLiteral("Tavro"));
    BuildDevicePanel();
    ConnectSizeSelection();
    SetTabOrder({Combo_GKante, Edit_GBreite, Combo_PAbstand});
    DataSheetPages = {DataSheetPage};
    ChartPages = {ChartPage};
    DescriptionPages = {DescriptionPage};
    Document = new TavroDocument(*this);
}

void TFormTavro::Menu_Ansicht_DatenblattClick() {
    if (!CommitPendingEntries() || !ResultsValid) return;
    if (Daten->Line == "Tavro") DrawSketch(Design, SeriesCount);
    TFormProdukt::Menu_Ansicht_DatenblattClick();
}

void TFormTavro::ShowDiagram(bool show, bool withResults) {
    if (show && (!CommitPendingEntries() || (withResults && !ResultsValid))) return;
    TFormProdukt::ShowDiagram(show, withResults);
}

QString TFormTavro::PageLabelText(PageLabel label) const {
    switch (label) {
    case PageLabel::Designation:
        return Label_Bauform->text();
    case PageLabel::UnitsInSeries:
        return Label_AnzahlReihe->text();
    case PageLabel::Weight:
        return L_Gewicht->text();
    default:
        return TFormProdukt::PageLabelText(label);
    }
}

const Recording* TFormTavro::PageSketch() const {
    return &SketchPicture();
}

void TFormTavro::BuildDevicePanel() {
    QWidget* p = Panel_Geraet;
    auto label = [p](const char* name, int x, int y, int w) {
        QLabel* l = MakeNamed<QLabel>(p, name);
        l->setGeometry(x, y, w, 20);
        return l;
    };
    // The captions take what the short entries ("500 mm", "5.5 mm") leave.
    LB_GKante = label("LB_GKante", 8, 10, 128);
    Combo_GKante = MakeNamed<TAlignComboBox>(p, "Combo_GKante");
    Combo_GKante->setGeometry(140, 8, 98, 22);
    LB_GBreite = label("LB_GBreite", 8, 38, 128);
    Edit_GBreite = MakeNamed<TIntEdit>(p, "Edit_GBreite");
    Edit_GBreite->setGeometry(140, 36, 98, 22);
    LB_PAbstand = label("LB_PAbstand", 8, 66, 128);
    Combo_PAbstand = MakeNamed<TAlignComboBox>(p, "Combo_PAbstand");
    Combo_PAbstand->setGeometry(140, 64, 98, 22);
    Label_Bauform = label("Label_Bauform", 8, 98, 230);
    Label_Bauform->setWordWrap(true);
    Label_Bauform->setFixedHeight(36);
    Label_Bauform->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label_AnzahlReihe = label("Label_AnzahlReihe", 8, 136, 230);
    struct DimRow {
        QLabel** caption;
        QLabel** value;
        QLabel** unit;
        const char* names[3];
    };
    const DimRow rows[] = {
        {&LB_Hoehe, &L_Hoehe, &LE_Hoehe, {"LB_Hoehe", "L_Hoehe", "LE_Hoehe"}},
        {&LB_Breite, &L_Breite, &LE_Breite, {"LB_Breite", "L_Breite", "LE_Breite"}},
        {&LB_Tiefe, &L_Tiefe, &LE_Tiefe, {"LB_Tiefe", "L_Tiefe", "LE_Tiefe"}},
        {&LB_Gewicht, &L_Gewicht, &LE_Gewicht, {"LB_Gewicht", "L_Gewicht", "LE_Gewicht"}}};
    int y = 166;
    for (const DimRow& r : rows) {
        *r.caption = label(r.names[0], 8, y, 110);
        *r.value = label(r.names[1], 124, y, 70);
        (*r.value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *r.unit = label(r.names[2], 200, y, 40);
        y += 22;
    }
    Combo_GKante->SetAlignment(Qt::AlignRight);
    Combo_PAbstand->SetAlignment(Qt::AlignRight);
    Edit_GBreite->SetAlignment(Qt::AlignRight);
    Edit_GBreite->SetMinValue(kMinWidth);
    Edit_GBreite->SetMaxValue(kMaxWidth);
    Edit_GBreite->SetValidation(true);
    connect(Combo_GKante, &QComboBox::activated, this,
            [this] { RunCommand([this] { Combo_GKanteChange(); }); });
    connect(Combo_PAbstand, &QComboBox::activated, this,
            [this] { RunCommand([this] { Combo_PAbstandChange(); }); });
    Edit_GBreite->OnCalculate = [this](TCustomNumEdit&) {
        RunCommand([this] { Aenderung_Geraet(); });
    };
    RebuildEdgeList();
}

void TFormTavro::RebuildEdgeList() {
    const int current = Combo_GKante->currentData().toInt();
    const QSignalBlocker block(Combo_GKante);
    Combo_GKante->clear();
    for (int e : EdgeList(Design))
        Combo_GKante->addItem(QStringLiteral("%1 mm").arg(e), e);
    const int index = Combo_GKante->findData(current);
    Combo_GKante->setCurrentIndex(index >= 0 ? index : 0);
}

void TFormTavro::RebuildPlateGapList(int keepIndex) {
    const int edge = Combo_GKante->currentData().toInt();
    const QSignalBlocker block(Combo_PAbstand);
    Combo_PAbstand->clear();
    for (double g : PlateGapList(edge))
        Combo_PAbstand->addItem(GapEntry(g), g);
    if (Combo_PAbstand->count() > 0) {
        Combo_PAbstand->setCurrentIndex(std::clamp(keepIndex, 0, Combo_PAbstand->count() - 1));
    }
}

void TFormTavro::SetDesign(int design) {
    Design = IsDesign(design) ? design : kDesignBare;
    RebuildEdgeList();
}

void TFormTavro::SetSeriesCount(int count) {
    SeriesCount = std::clamp(count, 1, 4);
}

void TFormTavro::ReadDeviceInputs() {
    TDatenREK& r = *Daten;
    r.EffStandard = 1;
    r.Edge = Combo_GKante->currentData().toInt();
    r.Line = "Tavro";
    r.Width = Edit_GBreite->CommittedValue();
    r.Series = static_cast<uint8_t>(SeriesCount);
    RebuildPlateGapList(Combo_PAbstand->currentIndex());
    r.GapGiven = 1;
    r.PlateGap = Combo_PAbstand->currentData().toDouble();
    r.PType = static_cast<uint8_t>(PTypeFor(r.Edge, r.PlateGap));
    DpLimit = tavro::DpLimit(SeriesCount, r.Edge);
    TDatenREK& s = *DatenSommer;
    s.Edge = r.Edge;
    s.Width = r.Width;
    s.GapGiven = r.GapGiven;
    s.PlateGap = r.PlateGap;
    s.PType = r.PType;
    s.Series = r.Series;
    s.Units = r.Units;
    s.Line = r.Line;
    s.EffStandard = r.EffStandard;
}

void TFormTavro::ShowDeviceInputs() {
    const TDatenREK& r = *Daten;
    {
        const QSignalBlocker block(Combo_GKante);
        const int index = Combo_GKante->findData(r.Edge);
        Combo_GKante->setCurrentIndex(index >= 0 ? index : 0);
    }
    Edit_GBreite->SetValue(r.Width);
    Daten->Series = static_cast<uint8_t>(SeriesCount);
    RebuildPlateGapList(0);
    // The entry of the stored plate type; a type the edge does not have
    // selects type 2 when the edge has it, else the first distance.
    const int edge = Combo_GKante->currentData().toInt();
    int index = Combo_PAbstand->findData(PlateGapFor(edge, r.PType));
    if (index < 0 || PlateGapFor(edge, r.PType) <= 0)
        index = Combo_PAbstand->findData(PlateGapFor(edge, 2));
    const QSignalBlocker block(Combo_PAbstand);
    Combo_PAbstand->setCurrentIndex(std::max(index, 0));
}

void TFormTavro::ShowStoredInputs() {
    ShowDeviceInputs();
    TFormProdukt::ShowStoredInputs();
}

QString TFormTavro::Designation() const {
    QString gap = Combo_PAbstand->currentText();
    if (gap.endsWith(QStringLiteral(" mm"))) gap.chop(3);
    return QString::fromStdString(ModelDesignation(
        TextOf(136).toStdString(), Design, Combo_GKante->currentData().toInt(),
        std::to_string(Edit_GBreite->CommittedValue()), gap.toStdString(), Daten->Bypass));
}

void TFormTavro::ShowDesignation() {
    QFont bold = font();
    bold.setBold(true);
    Label_Bauform->setFont(bold);
    Label_AnzahlReihe->setFont(bold);
    Label_Bauform->setText(Designation());
    Label_AnzahlReihe->setText(SeriesCount > 1 ? QStringLiteral("(%1 ").arg(SeriesCount) +
                                                     TextOf(101) + QStringLiteral(")")
                                               : QString());
}

void TFormTavro::ComputeDimensionsAndWeight() {
    TDatenREK& r = *Daten;
    UnitSelection sel;
    sel.design = Design;
    sel.units = SeriesCount;
    sel.edge = r.Edge;
    sel.width = r.Width;
    sel.ptype = r.PType;
    sel.vBypass = r.AirVelBypass;
    sel.volume = r.SVol11;
    OuterSize size;
    try {
        size = OuterDimensions(sel);
        Weight = UnitWeight(sel);
    } catch (const DimensionError&) {
        // Beyond any unit that can be built (a width or an outside-air flow
        // far out of range): no dimensions instead of overflowed ones.
        Weight = 0;
    }
    r.Bypass = size.Bypass;
    DimH = size.H;
    DimB = size.B;
    DimT = size.T;
}

void TFormTavro::ShowDimensionsAndWeight() {
    auto length = [this](int mm) { return Number(ToShown(kShownLength, SI, mm), SI ? 0 : 2); };
    L_Hoehe->setText(length(DimH));
    L_Breite->setText(length(DimB));
    L_Tiefe->setText(length(DimT));
    L_Gewicht->setText(Number(ToShown(kShownMass, SI, Weight), 1));
}

void TFormTavro::ShowProductData() {
    // The designation is built before the bypass is computed again, so it
    // shows the bypass of the previous computation.
    ShowDesignation();
    ReadDeviceInputs();
    for (QLabel* l : {L_Hoehe, L_Breite, L_Tiefe, L_Gewicht})
        l->clear();
    if (Design < kDesignBypassDamper || Daten->Edge > 300) {
        ComputeDimensionsAndWeight();
        Daten->CalculateAll();
        Daten->PlateGap = PlateGapFor(Daten->Edge, Daten->PType);
        ShowDimensionsAndWeight();
    }
}

void TFormTavro::OutsideAirVolumeChanged() {
    ComputeDimensionsAndWeight();
    ShowDesignation();
    ShowDimensionsAndWeight();
}

void TFormTavro::Aenderung_Geraet() {
    ShowProductData();
    Aenderung_Daten();
}

void TFormTavro::ShowDeviceSelection() {
    const QSignalBlocker blockEdge(Combo_GKante);
    const QSignalBlocker blockGap(Combo_PAbstand);
    const int edge = Combo_GKante->findData(Daten->Edge);
    if (edge >= 0) Combo_GKante->setCurrentIndex(edge);
    RebuildPlateGapList(Combo_PAbstand->currentIndex());
    const int gap = Combo_PAbstand->findData(Daten->PlateGap);
    if (gap >= 0) Combo_PAbstand->setCurrentIndex(gap);
}

void TFormTavro::Combo_GKanteChange() {
    if (!CommitPendingEntries()) {
        ShowDeviceSelection();
        return;
    }
    RebuildPlateGapList(Combo_PAbstand->currentIndex());
    Aenderung_Geraet();
}

void TFormTavro::Combo_PAbstandChange() {
    if (!CommitPendingEntries()) {
        ShowDeviceSelection();
        return;
    }
    Aenderung_Geraet();
}

void TFormTavro::OptionsApplied() {
    TFormProdukt::OptionsApplied();
    Combo_GKanteChange();
}

void TFormTavro::Menu_Optionen_EinstellungenClick() {
    if (!CommitPendingEntries()) return;
    TFormProdukt::Menu_Optionen_EinstellungenClick();
    ShowDesignation();
}

void TFormTavro::ReadSettings() {
    TFormProdukt::ReadSettings();
    if (!Settings) return;
    const std::string& sec = ProductSection;
    TDatenREK& r = *Daten;
    r.SVol11 = Settings->ReadFloat(sec, "SVol11", 2000);
    r.SVol21 = Settings->ReadFloat(sec, "SVol21", 2000);
    r.Edge = Settings->ReadInteger(sec, "Edge", 500);
    r.Line = r.Edge >= 1 && r.Edge <= 110 ? "Corra" : "Tavro";
    r.Width = Settings->ReadInteger(sec, "Width", 500);
    // A plate type outside 1..6 is kept as read; no distance of the edge
    // matches it, and the controls then select type 2 or the first one.
    const int ptype = Settings->ReadInteger(sec, "PType", 2);
    r.PType = static_cast<uint8_t>(std::clamp(ptype, 0, 255));
    const double v = Settings->ReadFloat(sec, "AirVelBypass", kDefaultBypassVelocity);
    r.AirVelBypass = BypassVelocityInRange(v) ? v : kDefaultBypassVelocity;
    SetDesign(Settings->ReadInteger(sec, "Design", 10));
    // A number of units outside 1..4 is brought into that range.
    SetSeriesCount(Settings->ReadInteger(sec, "Series", 1));
    TDatenREK& s = *DatenSommer;
    s.Edge = r.Edge;
    s.Width = r.Width;
    s.PType = r.PType;
    s.AirVelBypass = r.AirVelBypass;
    Document->ReadRecentFiles(*Settings, sec);
}

void TFormTavro::WriteSettings() {
    TFormProdukt::WriteSettings();
    if (!Settings) return;
    const std::string& sec = ProductSection;
    Settings->WriteInteger(sec, "Edge", Daten->Edge);
    Settings->WriteInteger(sec, "Width", Daten->Width);
    Settings->WriteInteger(sec, "PType", Daten->PType);
    Settings->WriteInteger(sec, "Design", Design);
    Settings->WriteInteger(sec, "Series", SeriesCount);
    Settings->WriteFloat(sec, "AirVelBypass", Daten->AirVelBypass);
    Document->WriteRecentFiles(*Settings, sec);
}

} // namespace tavro
