#pragma once
// Keeps the place of every toolbar of a form: visibility, dock, row, position
// and floating rectangle, one section per toolbar name.
#include <string>

#include "system/settings/SectionStore.h"
#include "ui/Form.h"

namespace kv::ui {

// Raise "Name property not set" for a toolbar without a name; values
// written before stay written.
void LoadToolbarPositions(Form& form, const SectionStore& store);
void SaveToolbarPositions(Form& form, SectionStore& store);
// The same below HKEY_CURRENT_USER\key.
void LoadToolbarPositions(Form& form, const std::string& key);
void SaveToolbarPositions(Form& form, const std::string& key);
// For destroy paths: nothing escapes.
void SaveToolbarPositionsQuietly(Form& form, const std::string& key) noexcept;

}  // namespace kv::ui
