#pragma once

// Report templates place objects in units of 1/96 inch; paper and margins are in millimetres.
namespace almavest::report {

inline constexpr double kUnitsPerMillimetre = 96.0 / 25.4;

double millimetresToUnits(double millimetres);
double unitsToMillimetres(double units);
double pointsToUnits(double points);

} // namespace almavest::report
