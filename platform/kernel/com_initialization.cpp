// CoInitializeEx and CoUninitialize: a per-thread count and concurrency model, with
// Windows' answers: S_OK for a thread's first call, S_FALSE for each further call in
// the same model (which still needs its CoUninitialize), RPC_E_CHANGED_MODE for a
// call that asks for the other model (which does not).
#include <windows.h>

namespace {

struct ComThreadState {
    unsigned initializations = 0;
    bool apartmentThreaded = false;
};

thread_local ComThreadState comState;

constexpr DWORD kKnownFlags =
    COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE | COINIT_SPEED_OVER_MEMORY;

}  // namespace

extern "C" HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    if (pvReserved != nullptr || (dwCoInit & ~kKnownFlags) != 0) {
        return E_INVALIDARG;
    }
    const bool apartmentThreaded = (dwCoInit & COINIT_APARTMENTTHREADED) != 0;
    if (comState.initializations == 0) {
        comState = {1, apartmentThreaded};
        return S_OK;
    }
    if (comState.apartmentThreaded != apartmentThreaded) {
        return RPC_E_CHANGED_MODE;
    }
    ++comState.initializations;
    return S_FALSE;
}

// An unmatched call does nothing, as on Windows.
extern "C" void WINAPI CoUninitialize(void) {
    if (comState.initializations > 0) {
        --comState.initializations;
    }
}
