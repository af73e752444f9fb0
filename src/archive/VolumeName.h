#pragma once
// Names of the further volumes of a multi-volume archive (DATA.ARJ, DATA.A01, ...).
#include <string>

namespace kv::arc {

// Advances counter and returns the next volume's name: the last extension of name
// replaced by A01..A99, then 100..999. From counter 1000 on the result is empty.
std::string NextVolumeName(const std::string& name, int& counter);

}  // namespace kv::arc
