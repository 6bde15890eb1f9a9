// Showing a selection document in the main window: every control restored
// from the document, the calculation repeated, and the figures that came
// out differently listed; the document's own figures kept for display.

#include "product/windows/tavro_document.h"

#include "controls/message_dialog.h"
#include "physics/record_fields.h"
#include "product/windows/document_dialogs.h"
#include "product/windows/tavro_window.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <QFileInfo>

#include <cmath>

namespace tavro {

namespace {

constexpr int kDisplayQuestionText = 730;
constexpr int kYesText = 731;
constexpr int kNoText = 732;
constexpr int kDifferencesTitleText = 733;
constexpr int kDifferencesText = 734;
constexpr int kCaseText = 735;
constexpr int kFigureText = 736;
constexpr int kStoredText = 737;
constexpr int kNowText = 738;
constexpr int kDifferenceText = 739;
constexpr int kStoredExplanationText = 740;
constexpr int kStoredTitleText = 741;

QString Fill(QString text, const QStringList& values) {
    qsizetype from = 0;
    for (const QString& v : values) {
        const qsizetype at = text.indexOf(QStringLiteral("%s"), from);
        if (at < 0) break;
        text.replace(at, 2, v);
        from = at + v.size();
    }
    return text;
}

// A figure as the lists show it: numbers with 8 significant digits in the
// window's number format, texts as they are.
QString Figure(const std::string& text) {
    // Parsed in the C locale, as the record's fields are written.
    bool ok = false;
    const QString raw = QString::fromStdString(text);
    const double v = raw.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return raw;
    QString shown = QString::number(v, 'g', 8);
    if (DecimalSeparator != '.') shown.replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator));
    return shown;
}

QString Difference(double d) {
    if (std::isnan(d)) return QString();
    QString shown = QString::number(d, 'g', 3);
    if (d > 0) shown.prepend(QLatin1Char('+'));
    if (DecimalSeparator != '.') shown.replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator));
    return shown;
}

} // namespace

bool TavroDocument::DisplayDiffers(const SelectionState& s) const {
    const NumberSeparators& sep = s.show.separators;
    return s.show.si != w_.SI || s.show.language != CurrentLanguage ||
           sep.decimal != DecimalSeparator || sep.thousands != ThousandSeparator || s.eu != w_.EU ||
           (s.eu && s.totalEff != w_.TotalEff) || s.hclass != w_.HCLASS || s.wetBulb != w_.WB_DB;
}

void TavroDocument::ShowSelection(const SelectionState& s, bool display) {
    TFormTavro& w = w_;
    if (display) {
        CurrentLanguage = static_cast<uint8_t>(s.show.language);
        DecimalSeparator = s.show.separators.decimal;
        ThousandSeparator = s.show.separators.thousands;
        w.EU = s.eu;
        w.TotalEff = s.totalEff;
        w.HCLASS = s.hclass;
        w.WB_DB = s.wetBulb;
    }
    // The inputs first, then the controls that show them: every later step
    // reads the controls back into the records.
    *w.Daten = RecordInputs(s.record);
    *w.DatenSommer = RecordInputs(s.summer);
    // The designation names the bypass of the last computation: the
    // document's, until the device is computed again.
    w.Daten->Bypass = s.record.Bypass;
    w.pbar = w.Daten->pbar;
    w.AirState = w.Daten->AirState;
    w.AirQuant = w.Daten->AirQuant;
    w.SetVolumeReference(static_cast<uint8_t>(s.volumeReference));
    w.SetDesign(s.design);
    w.SetSeriesCount(s.unitsInSeries);
    w.ShowDeviceInputs();
    w.SetUnitSystem(display ? s.show.si : w.SI);
    w.SetHumidityMode(w.AirState);
    w.SetAirQuantityMode(w.AirQuant);
    w.PrintHeader = s.printOfferHeader;
    w.Header = s.offerHeader;
    w.NotesDataSheet = s.notesDataSheet;
    w.NotesChart = s.notesChart;
    w.SetSeasons(s.useSeasons);
    if (s.seasonMode != w.SeasonMode) w.SetOperatingCases(static_cast<uint8_t>(s.seasonMode));
    if (display) {
        w.OptionsApplied();
    } else {
        w.Aenderung_Geraet();
    }
    if (s.resultsValid) w.RunCalculation();
}

bool TavroDocument::OpenDocument(const QString& path, const SelectionDocument& doc) {
    const QString name = QFileInfo(path).fileName();
    bool display = false;
    if (DisplayDiffers(doc.state)) {
        display =
            AskDocumentQuestion(&w_, Fill(TextOf(kDisplayQuestionText), {name}), baseTitle_,
                                {{TextOf(kYesText), mrOk}, {TextOf(kNoText), mrDiscard}}) == mrOk;
    }
    opening_ = true;
    try {
        ShowSelection(doc.state, display);
    } catch (...) {
        opening_ = false;
        throw;
    }
    opening_ = false;
    stored_.reset();
    std::vector<ResultDifference> differences;
    if (doc.state.resultsValid) differences = RecalculationDifferences(doc.state);
    if (!differences.empty()) stored_ = doc;
    SetDocument(path);
    if (!differences.empty()) ReportDifferences(doc, differences);
    return true;
}

void TavroDocument::ReportDifferences(const SelectionDocument& doc,
                                      const std::vector<ResultDifference>& differences) {
    std::vector<QStringList> rows;
    for (const ResultDifference& d : differences) {
        rows.push_back({QString::number(d.operatingCase + 1), QString::fromStdString(d.field),
                        Figure(d.stored), Figure(d.recalculated), Difference(d.difference)});
    }
    const QString text = Fill(TextOf(kDifferencesText),
                              {QString::number(differences.size()), QFileInfo(path_).fileName(),
                               QString::fromStdString(doc.programVersion)});
    TFormZahlenliste form(TextOf(kDifferencesTitleText), text,
                          {TextOf(kCaseText), TextOf(kFigureText), TextOf(kStoredText),
                           TextOf(kNowText), TextOf(kDifferenceText)},
                          rows, &w_);
    form.ShowModal();
}

void TavroDocument::ShowStoredResults() {
    if (!stored_) return;
    const SelectionState& s = stored_->state;
    std::vector<QStringList> rows;
    for (int c = 0; c < s.Cases(); ++c) {
        const TDatenREK& now = c == 0 ? *w_.Daten : *w_.DatenSommer;
        for (const RecordField& f : RecordFields()) {
            rows.push_back({QString::number(c + 1), QString::fromUtf8(f.name.data(), f.name.size()),
                            Figure(FormatRecordField(s.Case(c), f)),
                            Figure(FormatRecordField(now, f))});
        }
    }
    const QString text =
        Fill(TextOf(kStoredExplanationText),
             {QFileInfo(path_).fileName(), QString::fromStdString(stored_->programVersion)});
    TFormZahlenliste form(
        TextOf(kStoredTitleText), text,
        {TextOf(kCaseText), TextOf(kFigureText), TextOf(kStoredText), TextOf(kNowText)}, rows, &w_);
    form.ShowModal();
}

std::string TavroDocument::Fingerprint() const {
    // What a document holds of the user's choices: the inputs, the device,
    // the display options and the texts; not what is calculated from them.
    SelectionState s = w_.Selection();
    s.record = RecordInputs(s.record);
    s.summer = RecordInputs(s.summer);
    s.resultsValid = false;
    s.warnings.clear();
    s.noErrors = true;
    s.dpLimit = 250;
    s.height = s.width = s.depth = 0;
    s.weight = 0;
    s.caption.clear();
    s.labels = {};
    s.chart = {};
    try {
        return SelectionDocumentText(s, {});
    } catch (const std::exception&) {
        return {};
    }
}

// The main window's part.

void TFormTavro::Aenderung_Daten() {
    TFormProdukt::Aenderung_Daten();
    if (Document) Document->CheckModified();
}

void TFormTavro::ApplyLanguage() {
    TFormProdukt::ApplyLanguage();
    if (Document) Document->SetCaptions();
}

QString TFormTavro::PageCaption() const {
    return Document ? Document->BaseTitle() : windowTitle();
}

} // namespace tavro
