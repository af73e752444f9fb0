#include "shell/app/CloseQuery.h"

#include "base/ScopedFlag.h"

namespace kv {

bool CloseQuery::CanClose(CloseQueryHost& host) {
    if (inProgress_)
        return false;
    ScopedFlag busy(inProgress_);
    return run(host);
}

bool CloseQuery::run(CloseQueryHost& host) {
    if (host.scanRunning())
        return false;
    if (host.searchRunning()) {
        host.cancelSearch();
        for (int i = 0; i < kSearchStopWaits && host.searchRunning(); ++i)
            host.waitBriefly(kSearchStopWaitMs);
        if (host.searchRunning()) {
            host.resetStatus();
            host.warnSearchStuck();
            return false;
        }
    }
    if (host.saveQuestionCancelled()) {
        host.afterCancelledQuestion();
        return false;
    }
    return true;
}

}  // namespace kv
