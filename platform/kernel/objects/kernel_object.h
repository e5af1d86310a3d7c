// What a kernel handle refers to. Objects are shared: a thread keeps its own object
// alive while it runs, and a waiter keeps the object it waits on, so closing the
// last handle never pulls an object out from under anyone.
#pragma once

namespace platform::kernel {

class KernelObject {
  public:
    virtual ~KernelObject() = default;
};

}  // namespace platform::kernel
