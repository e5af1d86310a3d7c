// The modules of the process. A program here is one executable with no libraries
// of its own, so the table holds that one module; its resources are the .res image
// that tessalink_add_resources embedded in the executable.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string_view>

#include "kernel/resources/module.h"

namespace platform::kernel {

class ModuleTable {
  public:
    // Built on first use, then read-only, so lookups need no lock.
    static const ModuleTable& Instance();

    const Module& Executable() const { return executable_; }

    // null stands for the executable, as in GetModuleHandleW(NULL).
    const Module* FromHandle(HMODULE handle) const;
    // A full path, or a file name without directories, ignoring letter case and an
    // ".exe" that the executable's own name lacks (a program written for Windows
    // names itself that way).
    const Module* FromName(std::u16string_view name) const;
    // The module whose file is file (the same file, however it is spelled).
    const Module* FromFile(const std::filesystem::path& file) const;

  private:
    ModuleTable();

    Module executable_;
};

}  // namespace platform::kernel
