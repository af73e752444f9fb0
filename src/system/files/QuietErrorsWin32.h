#pragma once
// Critical-error boxes off for a file or drive query, so an empty floppy drive
// or a missing medium fails quietly instead of asking the user.
#include <windows.h>

namespace kv {

class QuietErrors {
public:
    QuietErrors() : old_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietErrors() { SetErrorMode(old_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    UINT old_;
};

}  // namespace kv
