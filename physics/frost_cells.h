#pragma once

// Cell model of one cross-flow plate pack for the frost check. The pack is
// divided into n × n cells; the colder stream (stream 1) flows along the
// first cell index i, the warmer stream (stream 2) along the second index j,
// both unmixed. Each cell exchanges heat from the warm air through the
// warm-side film, the plate and the cold-side film; where the warm-side wall
// lies below the local dew point, water condenses with the mass transfer
// that the Lewis analogy (Le = 1) gives from the heat transfer, and its
// latent heat reaches the wall. One marching sweep solves the grid.
//
// Units: temperatures °C, humidity ratios g/kg, pressure hPa, heat W,
// capacity flows W/K, mass flows kg/s, areas m².

#include <vector>

namespace tavro {

/// Cells along each edge of the pack. The dry effectiveness lies within
/// 0.01 percentage points of the exact cross-flow value at 40 (see the
/// grid-convergence test).
inline constexpr int kFrostCells = 40;
/// Largest number of cells along an edge the model accepts.
inline constexpr int kMaxFrostCells = 1000;
/// Steps of the march along the cold-inlet edge (SolveFrostEdge).
inline constexpr int kFrostEdgeSteps = 400;
/// Latent heat of the condensate, J/kg: the moist-air enthalpy model's heat
/// of vaporisation at 0 °C, where frost begins.
inline constexpr double kFrostLatentHeat = 2501e3;

/// One pack and its inlets, stream 1 the colder one.
struct FrostCellInput {
    double area = 0;           ///< heat-exchange area, m² (> 0)
    double alpha1 = 0;         ///< convective coefficient, colder side, W/(m²·K) (> 0)
    double alpha2 = 0;         ///< convective coefficient, warmer side, W/(m²·K) (> 0)
    double wallResistance = 0; ///< conduction resistance of the plate, m²·K/W (>= 0)
    double C1 = 0;             ///< heat capacity flow of the colder stream, W/K (> 0)
    double C2 = 0;             ///< heat capacity flow of the warmer stream, W/K (> 0)
    double mDry2 = 0;          ///< dry-air mass flow of the warmer stream, kg/s (> 0)
    double t1 = 0;             ///< colder inlet temperature, °C
    double t2 = 0;             ///< warmer inlet temperature, °C (>= t1)
    double x2 = 0;             ///< warmer inlet humidity ratio, g/kg (>= 0)
    double p = 1013;           ///< air pressure, hPa (> 0)
    int cells = kFrostCells;   ///< cells along each edge, 1..kMaxFrostCells
};

/// The solved pack.
struct FrostCellResult {
    double t1Out = 0;      ///< mixed outlet temperature of the colder stream, °C
    double t2Out = 0;      ///< mixed outlet temperature of the warmer stream, °C
    double x2Out = 0;      ///< mixed outlet humidity ratio of the warmer stream, g/kg
    double heat = 0;       ///< heat flow into the colder stream, W
    double condensate = 0; ///< water condensed on the warmer side, kg/s
    double wallMin = 0;    ///< lowest wall temperature on the warmer side, °C
    int wallMinI = 0;      ///< its cell along the colder stream, 0 at that stream's inlet
    int wallMinJ = 0;      ///< its cell along the warmer stream, 0 at that stream's inlet
    double wallMinX = 0;   ///< humidity ratio of the air at that wall: the cell's warm air,
                           ///< at most saturated at the wall temperature, g/kg
    int frostCells = 0;    ///< cells whose wall is below 0 °C with the cell's warm air
                           ///< above saturation over ice at the wall (water deposits there)
};

/// Solves the pack in one marching sweep. Each cell balances, with the mean
/// of its inlet and outlet states on both sides (second order in the cell
/// size), the sensible heat from the warm air plus the latent heat of the
/// water condensing at the wall against the heat through the plate and the
/// cold film; the wall temperature of the warm side follows from that
/// balance by a bracketed root search (at most 100 steps per cell). The
/// heat that leaves the warm air is the heat the cold air gains, so the
/// energy balance closes to rounding. The sensible capacity flows stay at
/// their inlet values, as in the exchanger calculation.
///
/// When wall is given it receives the warm-side wall temperature of every
/// cell, wall[i * cells + j]. Throws ArithmeticFault when a value of the
/// input is not a finite number and tavro::Error when one lies outside its
/// range.
FrostCellResult SolveFrostCells(const FrostCellInput& in, std::vector<double>* wall = nullptr);

/// The cold-inlet edge of the pack.
struct FrostEdgeResult {
    double cornerWall = 0; ///< warm-side wall temperature at the corner where the edge meets
                           ///< the warm outlet, °C: the lowest of the whole plate
    double cornerX = 0;    ///< humidity ratio of the air at that wall, g/kg (the warm air,
                           ///< at most saturated at the wall temperature)
    bool frost = false;    ///< some point of the edge meets the frost criterion
    double frostFrom = 1;  ///< where the frost begins along the warm stream, 0..1 (1 without)
};

/// Marches the warm air along the edge where the colder stream enters: there
/// the cold air is at its inlet temperature all along, so the warm air of
/// that edge cools the most and meets the coldest wall of each row; the end
/// at the warm outlet is the coldest point of the plate. Along the edge the
/// cell grid's equations become ordinary ones, solved here in `steps` steps
/// (1..100000) of the same cell balance with the cold side's capacity
/// unbounded, then at the corner point itself. The wall of every cell of
/// SolveFrostCells is at least as warm as this edge's; where no point of the
/// edge frosts, no cell does. Throws as SolveFrostCells (in.cells is not
/// read).
FrostEdgeResult SolveFrostEdge(const FrostCellInput& in, int steps = kFrostEdgeSteps);

} // namespace tavro
