// The CRITICAL_SECTION facade: the structure's storage holds a CriticalSection,
// built by InitializeCriticalSection and destroyed by DeleteCriticalSection.
#include <windows.h>

#include <memory>
#include <new>

#include "kernel/objects/critical_section.h"

using platform::kernel::CriticalSection;

static_assert(sizeof(CriticalSection) <= sizeof(CRITICAL_SECTION));
static_assert(alignof(CriticalSection) <= alignof(CRITICAL_SECTION));

namespace {

CriticalSection& LockOf(LPCRITICAL_SECTION section) {
    return *std::launder(reinterpret_cast<CriticalSection*>(section->Opaque));
}

}  // namespace

extern "C" void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    new (lpCriticalSection->Opaque) CriticalSection;
}

extern "C" void WINAPI EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    LockOf(lpCriticalSection).Enter();
}

extern "C" void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    LockOf(lpCriticalSection).Leave();
}

extern "C" void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    std::destroy_at(&LockOf(lpCriticalSection));
}
