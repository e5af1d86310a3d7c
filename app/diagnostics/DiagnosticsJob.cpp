#include "diagnostics/DiagnosticsJob.h"

#include "diagnostics/LiveJobs.h"

DiagnosticsJob::DiagnosticsJob() {
    LiveJobs::Add(this);
}

DiagnosticsJob::~DiagnosticsJob() {
    LiveJobs::Remove(this);
}
