// A loaded module: its handle, its file and the resources compiled into it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>

#include "kernel/resources/resource_file.h"

namespace platform::kernel {

class Module {
  public:
    Module(HMODULE handle, std::filesystem::path file, std::u16string wideFile,
           ResourceFile resources)
        : handle_(handle),
          file_(std::move(file)),
          wideFile_(std::move(wideFile)),
          resources_(std::move(resources)) {}

    HMODULE Handle() const { return handle_; }
    const std::filesystem::path& File() const { return file_; }
    // The file's path as GetModuleFileNameW reports it; empty when it has no UTF-16
    // form or could not be read.
    const std::u16string& WideFile() const { return wideFile_; }
    const ResourceFile& Resources() const { return resources_; }

  private:
    HMODULE handle_ = nullptr;
    std::filesystem::path file_;
    std::u16string wideFile_;
    ResourceFile resources_;
};

}  // namespace platform::kernel
