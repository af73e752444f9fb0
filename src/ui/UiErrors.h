#pragma once
// The window layer's misuse error, with the fixed texts callers report.
#include "base/Errors.h"

namespace kv::ui {

class EInvalidOperation : public kv::Error {
public:
    using kv::Error::Error;
};

}  // namespace kv::ui
