#pragma once

// Outer dimensions and weights of a Tavro unit. Lengths in mm, weights in
// kg, the bypass velocity in m/s, the outside-air volume flow in m³/h at
// standard density.

namespace tavro {

/// What OuterDimensions computes (all mm).
struct OuterSize {
    int Bypass = 0; ///< bypass opening size
    int H = 0;      ///< height
    int B = 0;      ///< width
    int T = 0;      ///< depth, all units in series
};

/// The selection a dimension or weight is computed for.
struct UnitSelection {
    int design = 10;       ///< form of design code (10, 20, 25, 30, 40, 60)
    int units = 1;         ///< units in serial arrangement, 1..4
    int edge = 0;          ///< edge dimension
    int width = 0;         ///< package width
    int ptype = 0;         ///< plate type 1..6
    double vBypass = 15.0; ///< bypass air velocity
    double volume = 0;     ///< outside-air standard volume flow
};

/// Bypass size, height, width and depth of the selection. Throws
/// DimensionError for a selection that cannot be built: units outside 1 to
/// 4, an edge or package width outside 1 to kMaxBuildableLength, a bypass
/// velocity or volume that BypassWidth refuses, or an outer dimension
/// larger than kMaxBuildableLength.
OuterSize OuterDimensions(const UnitSelection& sel);

/// Weight of the plate blocks of one unit: edge, package width, plate
/// distance g (mm).
double BlockWeight(int edge, int width, double gap);

/// Weight of the bypass duct of one unit with bypass size b.
double BypassWeight(int edge, int bypass);

/// Weight of a housing of depth T, width B and height H for an edge.
double HousingWeight(int edge, int T, int B, int H);

/// Weight of the bypass damper for an edge, package width W and bypass size b.
double DamperWeight(int edge, int width, int bypass);

/// Weight of the selection (all units, housing, bypass, damper), rounded to
/// an integer kg (halves to even). Throws DimensionError as OuterDimensions.
int UnitWeight(const UnitSelection& sel);

} // namespace tavro
