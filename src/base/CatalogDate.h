#pragma once
// The cataloguing date: days since 30 December 1899 as a double, the fraction
// being the time of day. Before that day the whole part counts back while the
// fraction still counts forward (-1.25 is 29 December 1899, 06:00).
#include "base/DateTime.h"

namespace kv {

double toCatalogDate(const DateTime& t);

// Rounds to the nearest second. Values outside years 1..9999 clamp to those
// ends; NaN gives day 0 (30 December 1899, 00:00).
DateTime fromCatalogDate(double value);

}  // namespace kv
