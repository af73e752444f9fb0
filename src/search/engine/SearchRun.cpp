#include "search/engine/SearchRun.h"

#include <utility>

namespace kv {

SearchRun::SearchRun(TSearchCriteria criteria, SearchScope scope, SearchHostServices services, bool archivesAsFiles)
    : criteria_(std::move(criteria)),
      scope_(std::move(scope)),
      sync_(services.sync),
      host_(std::move(services)),
      engine_(criteria_, scope_, host_, stop_, archivesAsFiles) {}

SearchRun::~SearchRun() {
    stop_.store(true);
    worker_.requestStop();
    worker_.join();
}

void SearchRun::Start(DoneHandler done) {
    worker_.start([this, done = std::move(done)](WorkerThread&) {
        outcome_ = engine_.Execute();
        if (done)
            sync_.synchronize([&] { done(outcome_); });
    });
}

}  // namespace kv
