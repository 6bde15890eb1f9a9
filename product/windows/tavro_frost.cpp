// The frost check of the main window: the check of the heating case after
// every calculation, the hint it gives and the warning of a case below its
// frost limit.

#include "product/windows/tavro_window.h"

#include "product/model/frost_messages.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <algorithm>
#include <limits>

namespace tavro {

namespace {

ShowOptions WindowShowOptions(bool si) {
    return {si, CurrentLanguage, {DecimalSeparator, ThousandSeparator, {}}};
}

} // namespace

void TFormTavro::AfterCalculation() {
    TFormProdukt::AfterCalculation();
    frost_.reset();
    frostDone_ = false;
}

const FrostCheck* TFormTavro::Frost() const {
    if (!UseFrostCheck || !ResultsValid || Daten == nullptr) return nullptr;
    if (!frostDone_) {
        frostDone_ = true;
        // A record the check cannot take has no frost figures: the hint
        // falls back to its general note.
        frost_ = TryCheckFrost(*Daten);
    }
    return frost_ ? &*frost_ : nullptr;
}

QString TFormTavro::FrostHintText() const {
    const double lower = std::min(Daten->Temp11, Daten->Temp21);
    if (const FrostCheck* check = Frost()) {
        const std::string hint = FrostHint(*check, lower, WindowShowOptions(SI));
        return QString::fromStdString(hint);
    }
    return lower < kFrostHintBelow ? TextOf(43) : QString();
}

QString TFormTavro::FrostWarning() const {
    const FrostCheck* check = Frost();
    if (check == nullptr) return {};
    return QString::fromStdString(FrostWarningText(*check, WindowShowOptions(SI)));
}

void TFormTavro::AddChartStates(std::vector<ChartPolyline>& lines) const {
    const FrostCheck* check = Frost();
    if (check == nullptr) return;
    // Ice blue where the wall frosts, white where it stays clear.
    const QColor fill = check->design.frost ? QColor(0, 160, 230) : QColor(Qt::white);
    const QColor edge(0, 90, 160);
    lines.push_back(
        {{check->design.wallMin, check->design.wallMinX, fill, edge, 0, TextOf(kTextColdestWall)}});
}

QString TFormTavro::PageFrostLine() const {
    const FrostCheck* check = Frost();
    if (check == nullptr) return {};
    const ShowOptions options = WindowShowOptions(SI);
    if (check->atRisk) return QString::fromStdString(FrostWarningText(*check, options));
    // The hint's wording as for the coldest inlet: the limit, or that there
    // is none down to the lowest temperature searched.
    return QString::fromStdString(
        FrostHint(*check, -std::numeric_limits<double>::infinity(), options));
}

} // namespace tavro
