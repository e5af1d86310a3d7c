// Giving an adapter's DHCP lease back and asking for one anew. Both block the calling
// (user-interface) thread until the adapter's first address shows the change, or a
// bounded wait ends, so that the page can show the new state as soon as they return.
#pragma once

#include <windows.h>

#include "common/AdapterSnapshot.h"

// The pause between two re-reads of the adapter. The program passes nothing and gets
// Sleep; tests pass a pause that only advances a simulated clock.
using LeasePause = void (*)(DWORD milliseconds);

// True once the adapter's first address reads "0.0.0.0"; false without DHCP, when the
// request fails, or when the address has not gone by the end of the wait.
bool ReleaseLease(AdapterSnapshot& snapshot, AdapterRecord& record, LeasePause pause = Sleep);

// True once the adapter's first address reads anything but "0.0.0.0"; false without
// DHCP, when the request fails, or when no address came within about a minute.
bool RenewLease(AdapterSnapshot& snapshot, AdapterRecord& record, LeasePause pause = Sleep);
