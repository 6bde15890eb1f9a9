// The frost check of the main window: the check of the heating case after
// every calculation, the hint it gives and the warning of a case below its
// frost limit.

#include "product/windows/tavro_window.h"

#include "chart/frost_point.h"
#include "product/model/frost_messages.h"
#include "product/model/shown_labels.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <algorithm>

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
    if (const FrostCheck* check = Frost()) lines.push_back(ColdestWallPoint(*check));
}

QString TFormTavro::PageFrostLine() const {
    const FrostCheck* check = Frost();
    if (check == nullptr) return {};
    return QString::fromStdString(FrostPageLine(*check, WindowShowOptions(SI)));
}

} // namespace tavro
