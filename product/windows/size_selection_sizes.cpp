// The sizes page of the size selection: the criteria, the width preset,
// the size list with its sort, and taking a row over into the main window.

#include "product/windows/size_selection_dialog.h"

#include "controls/message_dialog.h"
#include "controls/named_widget.h"
#include "controls/num_edit.h"
#include "physics/unit_conversion.h"
#include "product/windows/tavro_window.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/number_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace tavro {

namespace {

constexpr int kColumns = TFormBaugroessen_Tavro::kColumns;
// Smallest column widths (pixels); a caption wider than that widens its
// column. The class column is the narrow one.
constexpr int kColumnWidths[kColumns] = {112, 60, 60, 60, 60, 60, 56, 56, 30};
constexpr int kPresetMin = 100;
constexpr int kPresetMax = 10000;

} // namespace

void TFormBaugroessen_Tavro::BuildSizesPage() {
    QWidget* p = TabSheet_Baugroessen;
    LB_Vorauswahl = MakeNamed<QLabel>(p, "LB_Vorauswahl");
    LB_Vorauswahl->setGeometry(10, 8, 400, 20);
    LB_MinPHI = MakeNamed<QLabel>(p, "LB_MinPHI");
    LB_MinPHI->setGeometry(10, 38, 150, 20);
    Combo_MinPHI = MakeNamed<QComboBox>(p, "Combo_MinPHI");
    Combo_MinPHI->setGeometry(164, 36, 80, 22);
    for (int eta : kMinEfficiencies)
        Combo_MinPHI->addItem(QStringLiteral("%1 %").arg(eta), eta);
    Combo_MinPHI->setCurrentIndex(kInitialMinEfficiencyIndex);
    LB_Maxdp = MakeNamed<QLabel>(p, "LB_Maxdp");
    LB_Maxdp->setGeometry(262, 38, 200, 20);
    Combo_Maxdp = MakeNamed<QComboBox>(p, "Combo_Maxdp");
    Combo_Maxdp->setGeometry(466, 36, 110, 22);
    CheckBox_VorgabeBreite = MakeNamed<QCheckBox>(p, "CheckBox_VorgabeBreite");
    CheckBox_VorgabeBreite->setGeometry(10, 68, 150, 20);
    Edit_VorgabeBreite = MakeNamed<TIntEdit>(p, "Edit_VorgabeBreite");
    Edit_VorgabeBreite->setGeometry(164, 66, 60, 22);
    Edit_VorgabeBreite->SetMinValue(kPresetMin);
    Edit_VorgabeBreite->SetMaxValue(kPresetMax);
    Edit_VorgabeBreite->SetValidation(true);
    Edit_VorgabeBreite->SetValue(1000);
    LE_VorgabeBreite = MakeNamed<QLabel>(p, "LE_VorgabeBreite");
    LE_VorgabeBreite->setGeometry(228, 68, 30, 20);
    LE_VorgabeBreite->setText(QStringLiteral("mm"));
    Combo_TypBreite = MakeNamed<QComboBox>(p, "Combo_TypBreite");
    Combo_TypBreite->setGeometry(262, 66, 110, 22);
    Combo_TypBreite->addItems({QString(), QString()});
    Combo_TypBreite->setCurrentIndex(0);
    ListView1 = MakeNamed<QTreeWidget>(p, "ListView1");
    ListView1->setGeometry(10, 98, 764, 250);
    ListView1->setColumnCount(kColumns);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label_Bauform1 = MakeNamed<QLabel>(p, "Label_Bauform1");
    Label_Bauform1->setGeometry(10, 358, 500, 20);
    Button_Baugroesse = MakeNamed<QPushButton>(p, "Button_Baugroesse");
    Button_Baugroesse->setGeometry(674, 354, 100, 26);
    Button_Baugroesse->setEnabled(false);
    ProgressBar_Liste = MakeNamed<QProgressBar>(p, "ProgressBar_Liste");
    ProgressBar_Liste->setGeometry(520, 358, 144, 18);
    ProgressBar_Liste->setTextVisible(false);
    ProgressBar_Liste->hide();
    EnablePreset();

    connect(Combo_MinPHI, &QComboBox::currentIndexChanged, this, [this] { BuildList(false); });
    connect(Combo_Maxdp, &QComboBox::currentIndexChanged, this, [this] { BuildList(true); });
    connect(Combo_TypBreite, &QComboBox::currentIndexChanged, this, [this] { BuildList(true); });
    connect(CheckBox_VorgabeBreite, &QCheckBox::toggled, this, [this] {
        EnablePreset();
        BuildList(true);
    });
    Edit_VorgabeBreite->OnCalculate = [this](TCustomNumEdit&) { BuildList(true); };
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ListView1ColumnClick(column); });
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!ListView1->selectedItems().isEmpty()) Button_Baugroesse->setEnabled(true);
    });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { Button_BaugroesseClick(); });
    connect(Button_Baugroesse, &QPushButton::clicked, this, [this] { Button_BaugroesseClick(); });
}

void TFormBaugroessen_Tavro::SetSizesCaptions() {
    QFont bold = font();
    bold.setBold(true);
    LB_Vorauswahl->setFont(bold);
    LB_Vorauswahl->setText(TextOf(192));
    LB_MinPHI->setText(TextOf(193));
    LB_Maxdp->setText(TextOf(194));
    CheckBox_VorgabeBreite->setText(TextOf(55));
    Combo_TypBreite->setItemText(0, TextOf(509));
    Combo_TypBreite->setItemText(1, TextOf(510));
    Edit_VorgabeBreite->SetContent(TextOf(55));
    Edit_VorgabeBreite->SetErrorMessage(TextOf(105));
    Button_Baugroesse->setText(TextOf(152));
    const bool eu = Owner && Owner->EU;
    const QStringList heads = {
        TextOf(180),
        TextOf(54) + QStringLiteral(" (H) [mm]"),
        TextOf(55) + QStringLiteral(" (B) [mm]"),
        TextOf(56) + QStringLiteral(" (T) [mm]"),
        QStringLiteral("v max ") + (SI ? QStringLiteral("[m/s]") : QStringLiteral("[fpm]")),
        QStringLiteral("dp max ") + (SI ? QStringLiteral("[Pa]") : QStringLiteral("[in. WG]")),
        eu ? QStringLiteral("eta 1 [%]") : QStringLiteral("phi 1 [%]"),
        QStringLiteral("t 12 [") + TextOf(SI ? 411 : 412) + QStringLiteral("]"),
        QString(),
    };
    ListView1->setHeaderLabels(heads);
    ListView1->headerItem()->setTextAlignment(kColumns - 1, Qt::AlignCenter);
    const QFontMetrics metrics(ListView1->header()->font());
    for (int c = 0; c < kColumns - 1; ++c) {
        ListView1->setColumnWidth(
            c, std::max(kColumnWidths[c], metrics.horizontalAdvance(heads[c]) + 16));
    }
    ListView1->setColumnWidth(kColumns - 1, kColumnWidths[kColumns - 1]);
}

void TFormBaugroessen_Tavro::FillPressureDropList() {
    const int index =
        Combo_Maxdp->count() > 0 ? Combo_Maxdp->currentIndex() : kInitialMaxPressureDropIndex;
    const QSignalBlocker block(Combo_Maxdp);
    Combo_Maxdp->clear();
    for (int pa : kMaxPressureDrops) {
        const QString text = SI ? QStringLiteral("%1 Pa").arg(pa)
                                : QString::fromStdString(FormatNumber(
                                      ToShown(kShownPressureDrop, false, pa), ffFixed, 15, 2)) +
                                      QStringLiteral(" in. WG");
        Combo_Maxdp->addItem(text, pa);
    }
    Combo_Maxdp->setCurrentIndex(index);
}

void TFormBaugroessen_Tavro::EnablePreset() {
    const bool on = CheckBox_VorgabeBreite->isChecked();
    Edit_VorgabeBreite->setEnabled(on);
    Combo_TypBreite->setEnabled(on);
}

SizeCriteria TFormBaugroessen_Tavro::Criteria() {
    SizeCriteria c;
    c.minEta = Combo_MinPHI->currentData().toInt();
    c.maxDp = Combo_Maxdp->currentData().toInt();
    c.widthMode = CheckBox_VorgabeBreite->isChecked() ? Combo_TypBreite->currentIndex() + 1 : 0;
    // A preset being typed and not yet valid counts as the smallest one.
    c.presetWidth = Edit_VorgabeBreite->IsTextValid() ? Edit_VorgabeBreite->Value() : kPresetMin;
    c.design = PendingDesign;
    c.units = PendingUnits;
    c.vBypass = BypassVelocity;
    return c;
}

QStringList TFormBaugroessen_Tavro::RowCells(const SizeRow& row) const {
    const bool eu = Owner && Owner->EU;
    const auto cells = SizeRowCells(
        row, SI, eu, [](double v, int decimals) { return FormatNumber(v, ffFixed, 15, decimals); });
    QStringList out;
    for (const std::string& c : cells)
        out << QString::fromStdString(c);
    return out;
}

void TFormBaugroessen_Tavro::SortList() {
    const int count = ListView1->topLevelItemCount();
    std::vector<std::string> cells;
    cells.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        cells.push_back(ListView1->topLevelItem(i)->text(Sort.column).toStdString());
    const std::vector<size_t> order = SortOrder(cells, Sort.direction);
    QTreeWidgetItem* current = ListView1->currentItem();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(order.size());
    while (ListView1->topLevelItemCount() > 0)
        items.push_back(ListView1->takeTopLevelItem(0));
    for (size_t i : order)
        ListView1->addTopLevelItem(items[i]);
    if (current) ListView1->setCurrentItem(current);
}

void TFormBaugroessen_Tavro::ListView1ColumnClick(int column) {
    Sort.Click(column);
    SortList();
}

void TFormBaugroessen_Tavro::SelectFirstRow() {
    if (ListView1->topLevelItemCount() > 0) {
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
    }
}

void TFormBaugroessen_Tavro::Button_BaugroesseClick() {
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!Owner || !item || !item->isSelected()) return;
    // "600 / 850 - 5.5": edge, package width, plate distance.
    const QString caption = item->text(0);
    const int slash = caption.indexOf(QLatin1Char('/'));
    const int dash = caption.indexOf(QLatin1Char('-'));
    if (slash < 0 || dash < slash) return;
    const QString edge = caption.left(slash).trimmed();
    const QString width = caption.mid(slash + 1, dash - slash - 1).trimmed();
    const QString gap = caption.mid(dash + 1).trimmed();
    TFormTavro& o = *Owner;
    const int edgeIndex = o.Combo_GKante->findText(edge + QStringLiteral(" mm"));
    if (edgeIndex < 0) {
        // The list follows the pending design; the owner's edge list follows
        // its own, which may leave out the small edges.
        ShowMessageDialog(TextOf(121), TextOf(104) + QStringLiteral("!"), mkError);
        return;
    }
    o.Combo_GKante->setCurrentIndex(edgeIndex);
    o.Combo_GKanteChange();
    o.Edit_GBreite->SetValue(width.toInt());
    const int gapIndex = o.Combo_PAbstand->findText(gap + QStringLiteral(" mm"));
    if (gapIndex >= 0) o.Combo_PAbstand->setCurrentIndex(gapIndex);
    o.Aenderung_Geraet();
    Button_Baugroesse->setEnabled(false);
}

} // namespace tavro
