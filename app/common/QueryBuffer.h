// The temporary buffer of one platform query, sized by the query's own probe and
// released on every path out of the operation that asked.
#pragma once

#include <windows.h>

class QueryBuffer {
  public:
    QueryBuffer() = default;
    QueryBuffer(const QueryBuffer&) = delete;
    QueryBuffer& operator=(const QueryBuffer&) = delete;
    ~QueryBuffer() {
        if (memory_ != nullptr) {
            LocalFree(memory_);
        }
    }

    // Zero bytes, or memory the system cannot give, leave the buffer unallocated: false.
    bool Allocate(ULONG size) {
        if (memory_ == nullptr && size != 0) {
            memory_ = LocalAlloc(LPTR, size);
        }
        return memory_ != nullptr;
    }
    template <typename Record>
    Record* As() const {
        return static_cast<Record*>(memory_);
    }

  private:
    HLOCAL memory_ = nullptr;
};
