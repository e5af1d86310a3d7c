#include "diagnostics/LiveJobs.h"

#include <mutex>
#include <unordered_set>

namespace {

struct Registry {
    std::mutex lock;
    std::unordered_set<DiagnosticsJob*> jobs;
};

// Never destroyed: a worker may still ask after its job while the process exits and
// runs its static destructors.
Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

}  // namespace

void LiveJobs::Add(DiagnosticsJob* job) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.jobs.insert(job);
}

void LiveJobs::Remove(DiagnosticsJob* job) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.jobs.erase(job);
}

bool LiveJobs::WhileAlive(DiagnosticsJob* job, const std::function<void(DiagnosticsJob&)>& action) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    if (!registry.jobs.contains(job)) {
        return false;
    }
    action(*job);
    return true;
}
