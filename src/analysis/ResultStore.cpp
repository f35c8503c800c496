#include "analysis/ResultStore.h"

#include <cassert>
#include <limits>
#include <memory>

namespace {

// The process-wide store, the system's one piece of mutable global state.
std::unique_ptr<ResultStore>& StoreSlot() {
    static std::unique_ptr<ResultStore> store;
    return store;
}

}  // namespace

void CreateResultStore() { StoreSlot() = std::make_unique<ResultStore>(); }

void ReleaseResultStore() { StoreSlot().reset(); }

ResultStore& Results() {
    assert(StoreSlot() && "the result store is created at start-up");
    return *StoreSlot();
}

void CountSpecialObject() {
    int32_t& count = Results().SpecialObjectCount;
    if (count < std::numeric_limits<int32_t>::max()) ++count;
}
