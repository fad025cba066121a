#include "report/Units.h"

namespace almavest::report {

double millimetresToUnits(double millimetres)
{
    return millimetres * kUnitsPerMillimetre;
}

double unitsToMillimetres(double units)
{
    return units / kUnitsPerMillimetre;
}

double pointsToUnits(double points)
{
    return points * 96.0 / 72.0;
}

} // namespace almavest::report
