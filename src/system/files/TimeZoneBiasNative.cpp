#include <ctime>

#include "system/files/TimeZoneBias.h"

namespace kv {

int SystemBiasMinutes() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 0;
    return static_cast<int>(-local.tm_gmtoff / 60);
}

}  // namespace kv
