#include "physics/records.h"

#include "physics/cross_flow.h"

#include <utility>

namespace tavro {

const TDatenI::Block TDatenI::kInlet1 = {&TDatenI::SVol11,    &TDatenI::Vol11,    &TDatenI::Temp11,
                                         &TDatenI::Phi11,     &TDatenI::X11,      &TDatenI::Dew11,
                                         &TDatenI::WetBulb11, &TDatenI::H11,      &TDatenI::Rho11,
                                         &TDatenI::MDry11,    &TDatenI::MWater11, &TDatenI::MAir11};
const TDatenI::Block TDatenI::kOutlet1 = {
    &TDatenI::SVol12, &TDatenI::Vol12,  &TDatenI::Temp12,    &TDatenI::Phi12,
    &TDatenI::X12,    &TDatenI::Dew12,  &TDatenI::WetBulb12, &TDatenI::H12,
    &TDatenI::Rho12,  &TDatenI::MDry12, &TDatenI::MWater12,  &TDatenI::MAir12};
const TDatenII::Block TDatenII::kInlet2 = {
    &TDatenII::SVol21, &TDatenII::Vol21,  &TDatenII::Temp21,    &TDatenII::Phi21,
    &TDatenII::X21,    &TDatenII::Dew21,  &TDatenII::WetBulb21, &TDatenII::H21,
    &TDatenII::Rho21,  &TDatenII::MDry21, &TDatenII::MWater21,  &TDatenII::MAir21};
const TDatenII::Block TDatenII::kOutlet2 = {
    &TDatenII::SVol22, &TDatenII::Vol22,  &TDatenII::Temp22,    &TDatenII::Phi22,
    &TDatenII::X22,    &TDatenII::Dew22,  &TDatenII::WetBulb22, &TDatenII::H22,
    &TDatenII::Rho22,  &TDatenII::MDry22, &TDatenII::MWater22,  &TDatenII::MAir22};

namespace {

// The inlet stage of one stream.
template <class R, class M> bool InletStage(R& r, const std::array<double M::*, 12>& block) {
    r.Status = 100;
    try {
        CompleteBlock(r, block, r.AirState, r.AirQuant);
        CheckPhysicalState(ReadBlock(r, block), "inlet state");
    } catch (...) {
        return false;
    }
    r.Status = 0;
    return true;
}

template <class R, class A, class B>
void SwapBlocks(R& r, const std::array<double A::*, 12>& a, const std::array<double B::*, 12>& b) {
    for (size_t i = 0; i < a.size(); ++i)
        std::swap(r.*a[i], r.*b[i]);
}

} // namespace

void TDatenI::CalculateAll() {
    InletStage(*this, kInlet1);
}

void TDatenI::Calculate() {
    InletStage(*this, kInlet1);
}

bool TDatenII::RunInletStages() {
    return InletStage(*this, kInlet1) && InletStage(*this, kInlet2);
}

void TDatenII::CalculateAll() {
    RunInletStages();
}

void TDatenII::Calculate() {
    RunInletStages();
}

void TDatenII::SwapInlets() {
    SwapBlocks(*this, kInlet1, kInlet2);
}

void TDatenII::SwapAll() {
    SwapInlets();
    SwapBlocks(*this, kOutlet1, kOutlet2);
    std::swap(Dp1, Dp2);
    std::swap(Dp1Std, Dp2Std);
    std::swap(Vel1, Vel2);
    std::swap(Vel1Mean, Vel2Mean);
}

void TDatenREK::CalculateAll() {
    TDatenII::CalculateAll();
    Calculate();
}

void TDatenREK::Calculate() {
    // The exchanger stage needs both completed inlets; after a failed inlet
    // stage it would work on stale values, so it does not run.
    if (RunInletStages()) RunExchangerStage();
}

void TDatenREK::SwapAll() {
    TDatenII::SwapAll();
    std::swap(Eta1, Eta2);
    std::swap(EtaX1, EtaX2);
    std::swap(Eta1Wet, Eta2Wet);
    std::swap(Q1, Q2);
    std::swap(Q1Wet, Q2Wet);
    std::swap(QLat1, QLat2);
    std::swap(QTot1, QTot2);
    std::swap(Condensate1, Condensate2);
    std::swap(Eps1, Eps2);
    std::swap(Eps1Wet, Eps2Wet);
    std::swap(EpsX1, EpsX2);
    std::swap(EpsH1, EpsH2);
}

void TDatenREK::RunExchangerStage() {
    Status = 100;
    try {
        // The counter-flow line "Corra" is not calculated by this program;
        // its results stay as they are.
        if (Line == "Tavro") CrossFlowCalculation(*this);
        Status = 0;
    } catch (...) {
    }
}

void TDatenTavro::CalculateAll() {
    TDatenREK::CalculateAll();
    Calculate();
}

} // namespace tavro
