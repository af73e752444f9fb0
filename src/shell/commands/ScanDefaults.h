#pragma once
// The scan options the Add/Update Disk dialog starts from: the user's settings.
#include "scan/ScanTypes.h"
#include "shell/settings/Settings.h"

namespace kv {

ScanOptions ScanDefaults(const Settings& settings);

// "Save as default": the dialog's import boxes, carry-over, archive and eject
// boxes become the settings the next dialog starts from.
void SaveScanDefaults(Settings& settings, const ScanOptions& boxes, bool ejectMedia);

}  // namespace kv
