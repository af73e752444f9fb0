#pragma once
// The scan options the Add/Update Disk dialog starts from: the user's settings.
#include "scan/ScanTypes.h"
#include "shell/settings/Settings.h"

namespace kv {

ScanOptions ScanDefaults(const Settings& settings);

}  // namespace kv
