#include "product/selection/size_list.h"

#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"
#include "physics/unit_conversion.h"
#include "product/catalogue/catalogue.h"
#include "product/catalogue/dimensions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <thread>

namespace tavro {

namespace {

// Above this target the small edges (up to 390) are not sized at all: their
// narrow plate gaps would need packages far too narrow for the air.
constexpr double kSmallEdgeMaxTarget = 180;
constexpr int kSmallEdgeLimit = 391;
// Corrections of the width towards the target, and the tolerance that ends
// them early (Pa).
constexpr int kWidthCorrections = 5;
constexpr double kTargetTolerance = 1;
// Margin below the chosen maximum that the width is sized for (Pa), so that
// rounding the width to 5 mm does not push the drop over the maximum.
constexpr int kTargetMargin = 2;
// Package widths are offered in steps of 5 mm.
constexpr int kWidthStep = 5;
// Smallest package width, and the proportions edge / width a free width
// may have.
constexpr int kMinWidth = 100;
constexpr double kMaxAspect = 4;
constexpr double kMinAspect = 0.25;
// No cross-flow plate exchanger reaches more than this efficiency (%); a
// higher figure means a package so slow that the list should not offer it.
constexpr double kMaxEta = 75;
// Designs with a damper and above are not built below this edge.
constexpr int kDamperDesignMinEdge = 400;

double Higher(double a, double b) {
    return std::max(a, b);
}

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

std::string PlainNumber(double value, int decimals) {
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : std::string("-");
}

void CheckCriteria(const SizeCriteria& c) {
    if (c.units < 1 || c.units > 4) throw Error("size list: units in series must be 1 to 4");
    if (c.widthMode < kWidthFree || c.widthMode > kWidthExact) {
        throw Error("size list: the width mode must be 0, 1 or 2");
    }
    if (c.presetWidth <= 0) throw Error("size list: the preset width must be positive");
    if (c.maxDp <= kTargetMargin) throw Error("size list: the maximum pressure drop is too small");
    if (!std::isfinite(c.minEta)) throw Error("size list: the minimum efficiency is not a number");
    if (!std::isfinite(c.vBypass) || c.vBypass <= 0) {
        throw Error("size list: the bypass velocity must be positive");
    }
}

} // namespace

WidthResult PreselectWidth(TDatenREK& r, int design, int edge, int widthMode, int presetWidth,
                           int ptype, double targetDp) {
    WidthResult out;
    if (edge < kSmallEdgeLimit && targetDp > kSmallEdgeMaxTarget) return out;
    r.Edge = edge;
    r.PType = static_cast<uint8_t>(ptype);
    if (widthMode == kWidthExact) {
        // The outer width grows with the package width one to one except
        // for the package joints of a housing; taking off the difference of
        // the preset's outer width makes the outer width the preset.
        UnitSelection sel;
        sel.design = design;
        sel.units = r.Series;
        sel.edge = edge;
        sel.width = presetWidth;
        sel.ptype = ptype;
        sel.vBypass = r.AirVelBypass;
        sel.volume = r.SVol11;
        r.Width = 2 * presetWidth - OuterDimensions(sel).B;
        r.Calculate();
    } else {
        // Start from 2 m/s face velocity of the larger stream on the plate
        // face edge × width. The edge 390 has the plate area of the 400.
        const double volume = Higher(r.Vol11, r.Vol21);
        const double faceEdge = edge == 390 ? 400 : edge;
        double w = volume / 2 / 3600 / faceEdge * 1e6;
        r.Width = RoundHalfEven(w);
        r.Calculate();
        // The drop grows with the velocity between linearly (laminar flow
        // in the gaps) and quadratically (entry and exit losses); scaling
        // by the square root of the ratio approaches the target from one
        // side without overshooting in either regime.
        for (int i = 0; i < kWidthCorrections; ++i) {
            const double dp = Higher(r.Dp1, r.Dp2);
            if (!(std::fabs(dp - targetDp) > kTargetTolerance)) break;
            if (!(dp > 0)) break; // a failed or empty calculation gives nothing to scale by
            w *= std::sqrt(dp / targetDp);
            r.Width = RoundUp(w);
            r.Calculate();
        }
        r.Width = kWidthStep * RoundUp(w / kWidthStep);
        r.Calculate();
    }
    // A calculation that faulted leaves values of an earlier candidate in
    // the record; such a candidate is not offered.
    if (r.Status != 0) return out;
    out.width = r.Width;
    out.vMax = Higher(r.Vel1, r.Vel2);
    out.dpMax = Higher(r.Dp1, r.Dp2);
    out.eta1Wet = r.Eta1Wet;
    out.eps1Wet = r.Eps1Wet;
    out.temp12 = r.Temp12;
    // The classification keeps its fields when it fails; clear them so a
    // class of the previous candidate cannot appear.
    r.HClass = "-";
    r.HClassNo = 0;
    r.HClassText = "-";
    r.ClassifyEnergy();
    out.hClass = r.HClass;
    out.accepted = AllFinite({out.vMax, out.dpMax, out.eta1Wet, out.eps1Wet, out.temp12});
    return out;
}

namespace {

struct Candidate {
    int edge;
    int ptype;
};

std::vector<Candidate> Candidates(const SizeCriteria& c) {
    std::vector<Candidate> out;
    for (int edge : kEdges) {
        // Checked before sizing: it depends on nothing that sizing finds.
        if (c.design >= kDesignBypassDamper && edge < kDamperDesignMinEdge) continue;
        for (int ptype = 1; ptype <= 6; ++ptype) {
            if (PlateGapFor(edge, ptype) > 0) out.push_back({edge, ptype});
        }
    }
    return out;
}

// Sizes and checks one candidate on `r`; false when it misses a criterion.
bool TryCandidate(TDatenREK& r, const SizeCriteria& c, Candidate k, SizeRow& row) {
    const double maxDp = c.maxDp;
    const WidthResult w = PreselectWidth(r, c.design, k.edge, c.widthMode, c.presetWidth, k.ptype,
                                         maxDp - kTargetMargin);
    if (!w.accepted) return false;
    if (w.width < kMinWidth) return false;
    if (c.widthMode == kWidthFree) {
        const double aspect = static_cast<double>(k.edge) / w.width;
        if (aspect > kMaxAspect || aspect < kMinAspect) return false;
    }
    if (w.eta1Wet < c.minEta || w.eta1Wet > kMaxEta) return false;
    if (w.dpMax < maxDp / 3 || w.dpMax > maxDp) return false;
    UnitSelection sel;
    sel.design = c.design;
    sel.units = c.units;
    sel.edge = k.edge;
    sel.width = w.width;
    sel.ptype = k.ptype;
    sel.vBypass = r.AirVelBypass;
    sel.volume = r.SVol11;
    const OuterSize size = OuterDimensions(sel);
    if (c.widthMode == kWidthMaximum && c.presetWidth < size.B) return false;
    row.edge = k.edge;
    row.width = w.width;
    row.ptype = k.ptype;
    row.plateGap = PlateGapFor(k.edge, k.ptype);
    row.H = size.H;
    row.B = size.B;
    row.T = size.T;
    row.vMax = w.vMax;
    row.dpMax = w.dpMax;
    row.eta1Wet = w.eta1Wet;
    row.eps1Wet = w.eps1Wet;
    row.temp12 = w.temp12;
    row.hClass = w.hClass;
    return true;
}

bool Cancelled(const SizeListRun& run) {
    return run.cancel && run.cancel->load(std::memory_order_relaxed);
}

void CountDone(const SizeListRun& run) {
    if (run.progress) run.progress->fetch_add(1, std::memory_order_relaxed);
}

// What one candidate gave: a row, or nothing.
struct Slot {
    bool accepted = false;
    SizeRow row;
};

// Every candidate on `r` in turn.
bool RunInOrder(TDatenREK& r, const SizeCriteria& c, const std::vector<Candidate>& candidates,
                const SizeListRun& run, std::vector<Slot>& slots) {
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (Cancelled(run)) return false;
        slots[i].accepted = TryCandidate(r, c, candidates[i], slots[i].row);
        CountDone(run);
    }
    return true;
}

// The candidates spread over `threads` threads (the calling one among
// them), each taking the next untried candidate on its own copy of `r`.
// The candidates are handed out in ascending order, so the copy whose
// thread took the last one holds the last candidate tried; it becomes `r`.
bool RunSpread(TDatenREK& r, const SizeCriteria& c, const std::vector<Candidate>& candidates,
               const SizeListRun& run, std::vector<Slot>& slots, unsigned threads) {
    struct Worker {
        TDatenREK record;
        size_t lastIndex = 0;
        bool tried = false;
        std::exception_ptr fault;
    };
    std::vector<Worker> workers(threads, Worker{r, 0, false, nullptr});
    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};
    auto work = [&](Worker& w) {
        try {
            for (;;) {
                if (stop.load(std::memory_order_relaxed) || Cancelled(run)) return;
                const size_t i = next.fetch_add(1, std::memory_order_relaxed);
                if (i >= candidates.size()) return;
                slots[i].accepted = TryCandidate(w.record, c, candidates[i], slots[i].row);
                w.lastIndex = i;
                w.tried = true;
                CountDone(run);
            }
        } catch (...) {
            w.fault = std::current_exception();
            stop = true;
        }
    };
    {
        std::vector<std::jthread> pool;
        pool.reserve(threads - 1);
        for (unsigned t = 1; t < threads; ++t)
            pool.emplace_back(work, std::ref(workers[t]));
        work(workers[0]);
    } // joins the pool
    const Worker* last = nullptr;
    for (const Worker& w : workers) {
        if (w.fault) std::rethrow_exception(w.fault);
        if (w.tried && (!last || w.lastIndex > last->lastIndex)) last = &w;
    }
    if (last) r = last->record;
    return !Cancelled(run) && next.load() >= candidates.size();
}

} // namespace

int SizeListCandidates(const SizeCriteria& criteria) {
    return static_cast<int>(Candidates(criteria).size());
}

SizeList BuildSizeList(TDatenREK& r, const SizeCriteria& c, const SizeListRun& run) {
    CheckCriteria(c);
    r.GapGiven = 0;
    r.Series = static_cast<uint8_t>(c.units);
    r.AirVelBypass = c.vBypass;
    // Every candidate calculates the record afresh; what the candidates
    // need of this first calculation are the inlet volume flows, so only
    // the inlet stages run here.
    r.TDatenII::CalculateAll();
    SizeList list;
    if (r.Status != 0) {
        list.inletsFailed = true;
        return list;
    }
    const std::vector<Candidate> candidates = Candidates(c);
    std::vector<Slot> slots(candidates.size());
    const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads = static_cast<unsigned>(
        std::min<size_t>(run.threads == 0 ? hardware : run.threads, candidates.size()));
    const bool complete = threads <= 1 ? RunInOrder(r, c, candidates, run, slots)
                                       : RunSpread(r, c, candidates, run, slots, threads);
    list.cancelled = !complete;
    for (Slot& slot : slots) {
        if (slot.accepted) list.rows.push_back(std::move(slot.row));
    }
    return list;
}

std::array<std::string, 9> SizeRowCells(const SizeRow& row, bool si, bool eu,
                                        const CellNumber& number) {
    const CellNumber& f = number ? number : CellNumber(PlainNumber);
    std::array<std::string, 9> cells;
    cells[0] =
        std::to_string(row.edge) + " / " + std::to_string(row.width) + " - " + f(row.plateGap, 1);
    cells[1] = std::to_string(row.H);
    cells[2] = std::to_string(row.B);
    cells[3] = std::to_string(row.T);
    cells[4] = f(ToShown(kShownVelocity, si, row.vMax), si ? 2 : 0);
    cells[5] = f(ToShown(kShownPressureDrop, si, row.dpMax), si ? 0 : 3);
    cells[6] = f(eu ? row.eps1Wet : row.eta1Wet, 1);
    cells[7] = f(ToShown(kShownTemperature, si, row.temp12), 1);
    cells[8] = row.hClass;
    return cells;
}

double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') number += '-';
        ++i;
    }
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            number += ch;
            digits = true;
        } else if ((ch == '.' || ch == ',') && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0;
    double v = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
    return ec == std::errc() ? v : 0;
}

std::vector<size_t> SortOrder(const std::vector<std::string>& cells, int direction) {
    std::vector<double> keys(cells.size());
    for (size_t i = 0; i < cells.size(); ++i)
        keys[i] = LeadingNumber(cells[i]) * (direction < 0 ? -1 : 1);
    std::vector<size_t> order(cells.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    return order;
}

} // namespace tavro
