#include "search/engine/SearchRun.h"

#include <utility>

namespace kv {

SearchRun::SearchRun(TSearchCriteria criteria, SearchScope scope, SearchHostServices services, bool archivesAsFiles)
    : criteria_(std::move(criteria)),
      scope_(std::move(scope)),
      sync_(services.sync),
      results_(services.results),
      host_(std::move(services)),
      engine_(criteria_, scope_, host_, stop_, archivesAsFiles) {}

SearchRun::~SearchRun() {
    stop_.store(true);
    worker_.requestStop();
    worker_.join();
    results_.SetFilling(false);
}

void SearchRun::Start(DoneHandler done) {
    results_.SetFilling(true);
    try {
        worker_.start([this, done = std::move(done)](WorkerThread&) {
            outcome_ = engine_.Execute();
            if (done)
                sync_.synchronize([&] {
                    results_.SetFilling(false);
                    done(outcome_);
                });
        });
    } catch (...) {
        results_.SetFilling(false);
        throw;
    }
}

}  // namespace kv
