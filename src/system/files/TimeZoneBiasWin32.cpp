#include <windows.h>

#include "system/files/TimeZoneBias.h"

namespace kv {

int SystemBiasMinutes() {
    TIME_ZONE_INFORMATION tz{};
    switch (GetTimeZoneInformation(&tz)) {
        case TIME_ZONE_ID_DAYLIGHT: return static_cast<int>(tz.Bias + tz.DaylightBias);
        case TIME_ZONE_ID_STANDARD: return static_cast<int>(tz.Bias + tz.StandardBias);
        case TIME_ZONE_ID_INVALID: return 0;
        default: return static_cast<int>(tz.Bias);
    }
}

}  // namespace kv
