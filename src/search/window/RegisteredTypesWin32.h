#pragma once
// The file types registered under a classes root (HKEY_CLASSES_ROOT in the
// program, a scratch key in tests).
#include <windows.h>

#include <vector>

#include "search/window/FileTypes.h"

namespace kv {

// Every ".ext" key whose default value names a type key with a description.
// Values that are no strings or longer than a key name can be are skipped.
std::vector<RegisteredExtension> ReadRegisteredExtensions(HKEY classesRoot);

}  // namespace kv
