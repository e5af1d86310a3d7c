// The diagnostics jobs that exist. The program neither waits for nor stops a worker
// when it ends, while the job belongs to the page, which is destroyed at shut-down: a
// worker can still be inside an echo of up to ten seconds then. Waiting for it would
// keep the process from ending promptly, so instead the worker touches its job only
// through WhileAlive, which holds the job's destruction off for that moment and tells
// the worker once the job is gone, so that it ends without touching anything more.
#pragma once

#include <functional>

struct DiagnosticsJob;

class LiveJobs {
  public:
    static void Add(DiagnosticsJob* job);
    static void Remove(DiagnosticsJob* job);

    // Runs the action on the job unless it is gone; false (the action not run) then.
    // The action must be short and must not wait on another thread: the job's
    // destructor waits for it.
    static bool WhileAlive(DiagnosticsJob* job, const std::function<void(DiagnosticsJob&)>& action);
};
