#include "shell/app/LongLivedFormsWin32.h"

namespace kv {

void LongLivedForms::Create() {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        forms_[i] = std::make_unique<ui::Form>();
        forms_[i]->setWindowClassName(kNames[i]);
        forms_[i]->createHandle();
    }
}

}  // namespace kv
