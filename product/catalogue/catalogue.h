#pragma once

// The Tavro cross-flow plate exchanger catalogue: edge dimensions, plate
// distances and types, block and package counts, forms of design, the
// pressure-drop limit, the bypass size and the model designation. Fixed
// tables and formulas; all lengths in mm, velocities m/s, volume flows m³/h
// at standard density. Plain C++ without Qt.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

/// The catalogue's edge dimensions in list order.
inline constexpr std::array<int, 18> kEdges = {200,  300,  390,  400,  500,  600,
                                               700,  800,  1000, 1200, 1400, 1500,
                                               1600, 1800, 2000, 2100, 2400, 3000};

/// Forms of design: housing, bypass and bypass damper.
enum Design : int {
    kDesignBare = 10,                ///< no housing, no bypass
    kDesignBypass = 20,              ///< bypass
    kDesignBypassDamper = 25,        ///< bypass with damper
    kDesignHousing = 30,             ///< housing
    kDesignHousingBypass = 40,       ///< housing and bypass
    kDesignHousingBypassDamper = 60, ///< housing, bypass and damper
};

/// The edges offered for a design: all of kEdges, or from 400 up for the
/// designs 25 and higher.
std::vector<int> EdgeList(int design);

/// Plate distance (mm) of plate type 1..6 for an edge; 0 when the type does
/// not exist for the edge (also for any type outside 1..6).
double PlateGapFor(int edge, int type);

/// The plate distances of an edge in type order, one per existing type.
std::vector<double> PlateGapList(int edge);

/// The first plate type 1..6 whose distance for the edge equals gap within
/// 0.001 mm (a distance parsed from a list entry or a settings file may not
/// be the table's double exactly); 0 for gap 0 or when no type matches.
int PTypeFor(int edge, double gap);

/// Number of plate blocks along the edge for a plate distance (mm); 1 for
/// an edge not in the table.
int BlockCount(int edge, double gap);

/// Edge of one plate block (mm): the edge divided by the block count,
/// rounded half to even.
int BlockEdgeFor(int edge, double gap);

/// Largest width (mm) of one package for a block edge.
int LargestPackageWidth(int blockEdge);

/// Number of packages across the width: width / largest package width,
/// rounded up; 0 for a width of 0 or less.
int PackageCount(int width, int blockEdge);

/// Diagonal height (mm) of a block standing on its edge.
int Diagonal(int edge);

/// The design code of the three options; a damper without bypass is
/// ignored (the dialog clears it).
int DesignFromOptions(bool housing, bool bypass, bool damper);

/// Whether the design has a housing (30, 40, 60).
bool DesignHasHousing(int design);

/// Whether the design has a bypass (20, 25, 40, 60); its designation ends
/// with the bypass size.
bool DesignHasBypass(int design);

/// Pressure-drop limit (Pa) of the product checks: 250 Pa per unit for
/// edges up to 400, 450 Pa per unit above.
int DpLimit(int seriesCount, int edge);

/// The range of the bypass air velocity a unit is designed for, m/s, and
/// the velocity of a new selection.
inline constexpr double kMinBypassVelocity = 5;
inline constexpr double kMaxBypassVelocity = 15;
inline constexpr double kDefaultBypassVelocity = 15;

/// Whether v (m/s) lies in the bypass velocity range (NaN does not).
bool BypassVelocityInRange(double v);

/// The largest outer dimension, package width or bypass (mm) of a unit that
/// can be built; every product of this line stays far below it.
inline constexpr int kMaxBuildableLength = 50000;

/// Bypass opening size (mm) for an edge, bypass velocity (m/s) and the
/// outside-air standard volume flow (m³/h): at least 100; 100 when the edge
/// is not positive. Throws DimensionError when the velocity is outside 5 to
/// 15 m/s, the volume is negative or not a finite number, or the bypass
/// would be larger than kMaxBuildableLength.
int BypassWidth(int edge, double vBypass, double volume);

/// The word before the designation until the text table supplies it in the
/// user's language.
inline constexpr std::string_view kTypeWordEnglish = "Type";

/// The plate-distance entry of a distance: one decimal, a point ("5.5").
std::string FormatPlateGap(double gap);

/// Model designation, for example "Type: Tavro 20 / 600 / 850 - 5.5 - BY 321":
/// typeWord, ": Tavro ", the design code, " / ", the edge, " / ", the width
/// text, " - ", the plate-distance text and, for designs with a bypass,
/// " - BY " and the bypass size.
std::string ModelDesignation(std::string_view typeWord, int design, int edge,
                             std::string_view widthText, std::string_view gapText, int bypass);

} // namespace tavro
