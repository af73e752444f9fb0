#pragma once
// How the test tools end a command: a failure prints its message on standard error
// after what was printed so far, the silent abort none (its reason was told
// already); either way the exit status is 1.
#include <cstdio>
#include <exception>

#include "base/Errors.h"

namespace kv::test {

template <class Command>
int RunToolCommand(Command&& command) {
    try {
        command();
        return 0;
    } catch (const EAbort&) {
        std::fflush(stdout);
        return 1;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

}  // namespace kv::test
