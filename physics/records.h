#pragma once

// Calculation records: one complete calculation case each. Stream 1 is the
// outside air (fields ending 11 at the exchanger inlet, 12 at its outlet),
// stream 2 the return air (21, 22). Inputs are written by the product window,
// CalculateAll computes everything, the result tables and pages read the
// results. No exception ever leaves a record operation.

#include "physics/air_state.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavro {

/// Status, input modes and air pressure.
class TDaten {
public:
    virtual ~TDaten() = default;

    int32_t Status = 0;   ///< 0 after a successful stage, 100 while it runs or after it failed
    uint8_t AirState = 0; ///< CompleteState mode of both inlets, 0..12
    uint8_t AirQuant = 0; ///< CompleteFlow mode of both inlets, 0..3
    double pbar = 0;      ///< air pressure, hPa

    /// Completes everything this level knows how to compute.
    virtual void CalculateAll() {}
    /// Runs this level's calculation once.
    virtual void Calculate() {}
    /// Exchanges the inlet blocks of the two streams.
    virtual void SwapInlets() {}
    /// Exchanges every per-stream quantity of the two streams.
    virtual void SwapAll() {}
};

/// Adds stream 1: inlet block 11, outlet block 12 and its flow results.
class TDatenI : public TDaten {
public:
    double SVol11 = 0, Vol11 = 0, Temp11 = 0, Phi11 = 0, X11 = 0, Dew11 = 0, WetBulb11 = 0, H11 = 0,
           Rho11 = 0, MDry11 = 0, MWater11 = 0, MAir11 = 0;
    double SVol12 = 0, Vol12 = 0, Temp12 = 0, Phi12 = 0, X12 = 0, Dew12 = 0, WetBulb12 = 0, H12 = 0,
           Rho12 = 0, MDry12 = 0, MWater12 = 0, MAir12 = 0;
    double Dp1 = 0;      ///< pressure drop at operating conditions, Pa
    double Dp1Std = 0;   ///< pressure drop at standard density, Pa
    double Vel1 = 0;     ///< face velocity, m/s
    double Vel1Mean = 0; ///< mean velocity in the plate gaps, m/s
    uint8_t VolumeAt =
        0; ///< 0: the given volume refers to the inlet, 1: to the outlet (forms only)

    using Block = std::array<double TDatenI::*, 12>;
    static const Block kInlet1;
    static const Block kOutlet1;

    /// Inlet stage of stream 1: CompleteState and CompleteFlow on block 11.
    void CalculateAll() override;
    void Calculate() override;
};

/// Adds stream 2: inlet block 21, outlet block 22 and its flow results.
class TDatenII : public TDatenI {
public:
    double SVol21 = 0, Vol21 = 0, Temp21 = 0, Phi21 = 0, X21 = 0, Dew21 = 0, WetBulb21 = 0, H21 = 0,
           Rho21 = 0, MDry21 = 0, MWater21 = 0, MAir21 = 0;
    double SVol22 = 0, Vol22 = 0, Temp22 = 0, Phi22 = 0, X22 = 0, Dew22 = 0, WetBulb22 = 0, H22 = 0,
           Rho22 = 0, MDry22 = 0, MWater22 = 0, MAir22 = 0;
    double Dp2 = 0, Dp2Std = 0, Vel2 = 0, Vel2Mean = 0;

    using Block = std::array<double TDatenII::*, 12>;
    static const Block kInlet2;
    static const Block kOutlet2;

    void CalculateAll() override;
    void Calculate() override;
    void SwapInlets() override;
    void SwapAll() override;

protected:
    /// Inlet stages of stream 1 and, when it succeeded, of stream 2.
    /// Returns whether both succeeded.
    bool RunInletStages();
};

/// Adds the exchanger's product parameters and results; its Calculate runs
/// the exchanger calculation selected by Line.
class TDatenREK : public TDatenII {
public:
    uint8_t Series = 1;              ///< exchangers in counter-current series, 1..4
    uint8_t Units = 1;               ///< units one stream is divided over (always 1)
    int32_t Edge = 0;                ///< plate edge length, mm
    int32_t SizeNo = 0;              ///< model size number of the counter-flow line
    int32_t BlockEdge = 0;           ///< result: edge length of one plate block, mm
    int32_t Width = 0;               ///< package width, mm
    int32_t Bypass = 0;              ///< result: bypass size
    uint8_t PType = 0;               ///< plate type 1..6
    double PlateGap = 0;             ///< plate distance, mm
    uint8_t GapGiven = 0;            ///< 0: PlateGap follows from PType, 1: PType from PlateGap
    double AirVelBypass = 15.0;      ///< bypass air velocity, m/s
    double Eta1 = 0, Eta2 = 0;       ///< temperature efficiency dry, %
    double EtaX1 = 0, EtaX2 = 0;     ///< humidity efficiency, %
    double Eta1Wet = 0, Eta2Wet = 0; ///< temperature efficiency with condensation, %
    double Q1 = 0, Q2 = 0;           ///< heat flow dry, kW
    double Q1Wet = 0, Q2Wet = 0;     ///< heat flow with condensation, kW
    double QLat1 = 0, QLat2 = 0;     ///< latent heat flow, kW
    double QTot1 = 0, QTot2 = 0;     ///< total heat flow, kW
    double Eps1 = 0, Eps1Wet = 0, EpsX1 = 0, EpsH1 = 0; ///< effectiveness of stream 1
    double Eps2 = 0, Eps2Wet = 0, EpsX2 = 0, EpsH2 = 0; ///< effectiveness of stream 2
    double Condensate1 = 0, Condensate2 = 0;            ///< condensate, kg/h
    uint8_t WetMode = 0;    ///< 0 dry, 1 partial condensation, 2 condensation over the whole plate
    uint8_t FreezeRisk = 0; ///< condensate with the mean plate temperature below 0 °C
    double EtaE = 0;        ///< energy efficiency, %
    std::string HClass = "-"; ///< heat recovery class "H1" ... "H6"
    uint8_t HClassNo = 0;
    std::string HClassText = "-"; ///< EtaE with one decimal, "% / " and HClass
    double EtaErP = 0;            ///< dry temperature efficiency at the rating conditions, %
    std::string Line = "Tavro";   ///< product line: "Tavro" cross-flow, "Corra" counter-flow
    uint8_t EffStandard = 1;

    void CalculateAll() override;
    void Calculate() override;
    void SwapAll() override;

    /// EN 13053 energy efficiency and heat-recovery class of this record's
    /// exchanger at the rating conditions (outside air 5 °C / 72 %, return
    /// air 25 °C / 23 %, both at this record's SVol11): fills EtaE, EtaErP,
    /// HClass, HClassNo and HClassText. When the rating calculation fails
    /// (its Status is not 0) or faults, the fields stay as they were;
    /// nothing is thrown.
    void ClassifyEnergy();

protected:
    /// Exchanger stage: the calculation of Line. Status is 100 while it
    /// runs and 0 when it ends without a fault; a fault is swallowed and the
    /// results computed so far stay.
    void RunExchangerStage();
};

/// A record that completes itself once more after CalculateAll; used for the
/// temporary records of the series calculation.
class TDatenTavro : public TDatenREK {
public:
    void CalculateAll() override;
};

/// The fields of a state block in record order.
inline constexpr std::array<double StreamState::*, 12> kStreamStateFields = {
    &StreamState::SVol, &StreamState::Vol,  &StreamState::Temp,    &StreamState::Phi,
    &StreamState::X,    &StreamState::Dew,  &StreamState::WetBulb, &StreamState::H,
    &StreamState::Rho,  &StreamState::MDry, &StreamState::MWater,  &StreamState::MAir};

/// Copies a record's state block (for example TDatenII::kOutlet2) into a state.
template <class R, class M>
StreamState ReadBlock(const R& record, const std::array<double M::*, 12>& block) {
    StreamState s;
    for (size_t i = 0; i < block.size(); ++i)
        s.*kStreamStateFields[i] = record.*block[i];
    return s;
}

/// Copies a state into a record's state block.
template <class R, class M>
void WriteBlock(R& record, const std::array<double M::*, 12>& block, const StreamState& s) {
    for (size_t i = 0; i < block.size(); ++i)
        record.*block[i] = s.*kStreamStateFields[i];
}

inline constexpr int kNoStateMode = -1; ///< CompleteBlock: skip CompleteState
inline constexpr int kNoFlowMode = -1;  ///< CompleteBlock: skip CompleteFlow

/// Runs CompleteState(stateMode) and then CompleteFlow(flowMode) on a
/// record's state block at the record's pressure; kNoStateMode or
/// kNoFlowMode skips a part. The block is completed in a copy that is
/// written back whether or not a fault ends it, so the quantities computed
/// before a fault stay in the record; the fault propagates.
template <class R, class M>
void CompleteBlock(R& record, const std::array<double M::*, 12>& block, int stateMode,
                   int flowMode) {
    StreamState s = ReadBlock(record, block);
    try {
        if (stateMode != kNoStateMode) CompleteState(stateMode, s, record.pbar);
        if (flowMode != kNoFlowMode) CompleteFlow(flowMode, s, record.pbar);
    } catch (...) {
        WriteBlock(record, block, s);
        throw;
    }
    WriteBlock(record, block, s);
}

} // namespace tavro
