#pragma once
// Makes the shell open ".ctf" catalog files with this program.
#include <windows.h>

#include <string>

namespace kv {

// The current user's classes, which the system merges into the classes root;
// writing there needs no administrator rights.
inline constexpr const char* kUserClassesPath = "\\Software\\Classes";

// Registers ".ctf" as "Korvalder.CatalogFile" with the program's icon 2 and
// its open command. False when a key could not be written.
bool RegisterCatalogFileType();

// The same for a given program and classes key (tests use keys of their own).
bool RegisterCatalogFileType(const std::string& programPath, HKEY root, const std::string& classesPath);

// The program's own file as a short path, or the long one when the volume has
// no short names.
std::string ProgramShortPath();

}  // namespace kv
