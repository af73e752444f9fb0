#pragma once
// The notice shown while the program closes its catalogs at exit.
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace kv {

inline constexpr const char* kShuttingDownText = "Korvalder? is shutting down...";

class CloseAppForm : public ui::Form {
public:
    explicit CloseAppForm(HICON icon);
    std::string text() const { return label_.text(); }

private:
    ui::Image icon_;
    ui::Label label_;
};

}  // namespace kv
