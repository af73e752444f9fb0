#pragma once
// The windows that live as long as the program, made right after the main
// window in this order. Each is a plain hidden form until its own work
// builds it out.
#include <array>
#include <memory>

#include "ui/Form.h"

namespace kv {

class LongLivedForms {
public:
    static constexpr std::array<const char*, 11> kNames = {
        "TOptionsForm",    "TCategoriesForm", "TSetCatForm", "TAddDiskForm", "TBrowseFolderForm", "TColumnsForm",
        "TCatManagerForm", "TEditForm",       "TSearchForm", "TAdvDiskForm", "TRenameForm"};

    void Create();
    ui::Form& form(std::size_t i) { return *forms_[i]; }

private:
    std::array<std::unique_ptr<ui::Form>, kNames.size()> forms_;
};

}  // namespace kv
