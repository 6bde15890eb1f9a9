#pragma once

// The bounds of the limit check of a calculated record, in one table: the
// check reads its bounds from here, the limit messages the figures they
// name, and the input fields their limits. Some messages name other
// figures than the check tests (the humidity message names 90 %, the
// velocity message 3.5 m/s); those are entries of their own, so that a
// message can be changed without moving a bound and the other way round.

namespace tavro {

/// A figure in SI and in inch-pound units, each as it is shown and typed.
struct UnitFigure {
    double si;
    double ip;
    /// The figure of the chosen unit system.
    constexpr double In(bool siUnits) const { return siUnits ? si : ip; }
};

struct LimitBounds {
    /// Inlet air temperatures (°C / °F): below is message 1, above 2; the
    /// limits of the temperature fields and of the wet-bulb fields.
    UnitFigure minTemperature{-30, -22};
    UnitFigure maxTemperature{80, 176};

    /// Inlet relative humidity (%): below is message 3, above 4; the
    /// limits of the relative-humidity fields.
    double minRelativeHumidity = 0;
    double maxRelativeHumidity = 100;
    /// The upper humidity the message of 3 and 4 names.
    double shownMaxRelativeHumidity = 90;

    /// Face velocity (m/s): outside the recommended range is warning 5,
    /// outside the permitted range error 6.
    double minVelocityRecommended = 0.5;
    double maxVelocityRecommended = 4.0;
    double minVelocityPermitted = 0.2;
    double maxVelocityPermitted = 5.5;
    /// The range the message of 5 and 6 names (m/s / fpm).
    UnitFigure shownMinVelocity{minVelocityRecommended, 100};
    UnitFigure shownMaxVelocity{3.5, 688};

    /// Ratio of the standard volume flows of stream 1 to stream 2: above
    /// the recommended maximum or below the minimum is warning 7; at or
    /// above the permitted maximum or at or below the minimum error 8.
    double maxFlowRatioRecommended = 1.5;
    double minFlowRatioRecommended = 2.0 / 3.0;
    double maxFlowRatioPermitted = 2;
    double minFlowRatioPermitted = 0.5;
    /// The lower ratio the message of 7 and 8 names (the upper one is the
    /// recommended maximum).
    double shownMinFlowRatio = 0.66;

    /// Package width (mm): below is error 9; the lower limit of the width
    /// field. Named in millimetres in both unit systems.
    int minWidth = 100;

    /// Designs above this one (those with a housing) need an edge of at
    /// least minEdgeWithHousing mm, else error 10.
    int largestDesignWithoutHousing = 20;
    int minEdgeWithHousing = 400;

    /// The pressure-drop limit times this, rounded to a whole pascal, is
    /// the error bound 12; above the limit itself is warning 11.
    double dpErrorFactor = 1.1;

    /// Inlet humidity ratio (g/kg / gr/lb): outside is error 30; the limits
    /// of the humidity-ratio fields.
    UnitFigure minHumidityRatio{0, 0};
    UnitFigure maxHumidityRatio{150, 1050};
};

/// The bounds every check, message and input field reads.
inline constexpr LimitBounds kLimitBounds{};

} // namespace tavro
