#pragma once
// The case map of the ANSI code page the program runs under: the system's own
// under Windows, Windows-1252 in native builds.
#include "base/text/AnsiCase.h"

namespace kv {

const CaseMap& systemCaseMap();

}  // namespace kv
