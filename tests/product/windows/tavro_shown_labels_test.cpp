// The labels the product model works out for a selection against the
// labels the main window shows for it: the operating points of the golden
// record cases on every form of design, with and without the frost check,
// in every language and both unit systems.

#include "physics/record_fields.h"
#include "product/model/shown_labels.h"
#include "tests/golden/record_cases.h"
#include "tests/support/tavro_window_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace tavro {

// Failures print the labels.
void PrintTo(const ShownLabels& l, std::ostream* os) {
    *os << "{hint '" << l.hint << "', '" << l.outsideAir << "', '" << l.returnAir << "', '"
        << l.heating << "', '" << l.cooling << "', designation '" << l.designation << "', '"
        << l.unitsInSeries << "', weight '" << l.weight << "'}";
}

namespace {

struct Display {
    uint8_t language;
    char decimal;
    char thousands;
};

// The record fields of a `record KEY=VALUE...` call, not calculated.
TDatenREK Inputs(const golden::Args& call) {
    TDatenREK r;
    for (size_t i = 1; i < call.size(); ++i) {
        const size_t eq = call[i].find('=');
        const RecordField* field = FindRecordField(call[i].substr(0, eq));
        if (field != nullptr) SetRecordField(r, *field, call[i].substr(eq + 1));
    }
    return r;
}

ShownLabels WindowLabels(const TFormTavro& w) {
    return {w.LB_Hinweis->text().toStdString(),        w.LB_Zuluft->text().toStdString(),
            w.LB_Abluft->text().toStdString(),         w.Edit_Winter->text().toStdString(),
            w.Edit_Sommer->text().toStdString(),       w.Label_Bauform->text().toStdString(),
            w.Label_AnzahlReihe->text().toStdString(), w.L_Gewicht->text().toStdString()};
}

class TavroShownLabels : public test::TavroWindowTest {};

TEST_F(TavroShownLabels, ModelLabelsEqualTheWindowsLabels) {
    TFormTavro& w = Start();
    const Display displays[] = {{kEnglish, '.', ','}, {kGerman, ',', '.'},  {kFrench, ',', ' '},
                                {kPolish, ',', ' '},  {kChinese, '.', ','}, {kRussian, ',', ' '}};
    const int designs[] = {10, 20, 25, 30, 40, 60};
    size_t n = 0;
    size_t compared = 0;
    // The cases reach a hint with a frost note and units in series.
    size_t frostHints = 0;
    size_t series = 0;
    for (const golden::Case& c : golden::RecordCases()) {
        const TDatenREK inputs = Inputs(c.calls.front());
        const int design = designs[n % std::size(designs)];
        w.UseFrostCheck = n % 2 == 0;
        ++n;
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        w.ApplyLanguage();
        w.SetUnitSystem(true);
        w.SetDesign(design);
        w.SetSeriesCount(inputs.Series);
        *w.Daten = inputs;
        w.ShowStoredInputs();
        w.Aenderung_Geraet();
        w.RunCalculation();
        for (const Display& d : displays) {
            for (const bool si : {true, false}) {
                SCOPED_TRACE(testing::Message() << c.name << ", design " << design << ", language "
                                                << int(d.language) << (si ? " SI" : " IP"));
                CurrentLanguage = d.language;
                DecimalSeparator = d.decimal;
                ThousandSeparator = d.thousands;
                // As the options dialog applies them, then Calculate.
                w.SetUnitSystem(si);
                w.OptionsApplied();
                w.RunCalculation();
                SelectionState s = w.Selection();
                EXPECT_EQ(s.frostCheck, w.UseFrostCheck);
                const ShownLabels model = ShownLabelsOf(s);
                EXPECT_EQ(model, WindowLabels(w));
                ++compared;
                frostHints += model.hint.find(" - ") != std::string::npos;
                series += !model.unitsInSeries.empty();
            }
        }
    }
    EXPECT_GT(compared, 500u);
    EXPECT_GT(frostHints, 0u);
    EXPECT_GT(series, 0u);
}

} // namespace
} // namespace tavro
