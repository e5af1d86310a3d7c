// The temporary buffer of one platform query, sized by the query's own probe and
// released on every path out of the operation that asked.
#pragma once

#include <windows.h>

class QueryBuffer {
  public:
    // Zero bytes, or memory the system cannot give, leave the buffer unallocated.
    explicit QueryBuffer(ULONG size) : memory_(size == 0 ? nullptr : LocalAlloc(LPTR, size)) {}
    QueryBuffer(const QueryBuffer&) = delete;
    QueryBuffer& operator=(const QueryBuffer&) = delete;
    ~QueryBuffer() {
        if (memory_ != nullptr) {
            LocalFree(memory_);
        }
    }

    bool Allocated() const { return memory_ != nullptr; }
    template <typename Record>
    Record* As() const {
        return static_cast<Record*>(memory_);
    }

  private:
    HLOCAL memory_ = nullptr;
};
