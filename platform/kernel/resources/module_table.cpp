#include "kernel/resources/module_table.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <system_error>

#include "kernel/text/ignoring_case.h"
#include "kernel/text/wide_path.h"

// Defined by the object that tessalink_add_resources links into an executable. Weak,
// so that a binary built without a resource script links and simply has none.
extern "C" {
extern const std::uint8_t tessalink_module_resources[] __attribute__((weak));
extern const std::uint8_t tessalink_module_resources_end[] __attribute__((weak));
}

namespace platform::kernel {
namespace {

// The executable's handle: fixed and non-null, at the address where Windows loads
// executables, so that it never looks like a failure or like a small integer.
HMODULE const kExecutableHandle = reinterpret_cast<HMODULE>(std::uintptr_t{0x00400000});

ResourceFile EmbeddedResources() {
    if (tessalink_module_resources == nullptr || tessalink_module_resources_end == nullptr) {
        return {};
    }
    const std::span<const std::uint8_t> bytes(tessalink_module_resources,
                                              tessalink_module_resources_end);
    std::string error;
    auto resources = ResourceFile::Parse(bytes, error);
    if (!resources) {
        // A build fault rather than a run-time condition: say so once, run without.
        std::fprintf(stderr, "tessalink: the embedded resources are unreadable: %s\n",
                     error.c_str());
        return {};
    }
    return std::move(*resources);
}

Module ExecutableModule() {
    std::error_code error;
    auto file = std::filesystem::read_symlink("/proc/self/exe", error);
    std::u16string wideFile;
    if (!error) {
        wideFile = WideFromPath(file).value_or(std::u16string{});
    }
    return Module(kExecutableHandle, std::move(file), std::move(wideFile), EmbeddedResources());
}

}  // namespace

ModuleTable::ModuleTable() : executable_(ExecutableModule()) {}

const ModuleTable& ModuleTable::Instance() {
    static const ModuleTable table;
    return table;
}

const Module* ModuleTable::FromHandle(HMODULE handle) const {
    if (handle == nullptr || handle == executable_.Handle()) {
        return &executable_;
    }
    return nullptr;
}

const Module* ModuleTable::FromName(std::u16string_view name) const {
    if (name.find_first_of(u"/\\") != std::u16string_view::npos) {
        const auto file = PathFromWide(name);
        return file ? FromFile(*file) : nullptr;
    }
    const std::u16string_view own = executable_.WideFile();
    const std::u16string_view ownName = own.substr(own.rfind(u'/') + 1);
    if (ownName.empty()) {
        return nullptr;
    }
    constexpr std::u16string_view kExtension = u".exe";
    if (EqualsIgnoringCase(name, ownName)) {
        return &executable_;
    }
    if (name.size() == ownName.size() + kExtension.size() &&
        EqualsIgnoringCase(name.substr(0, ownName.size()), ownName) &&
        EqualsIgnoringCase(name.substr(ownName.size()), kExtension)) {
        return &executable_;
    }
    return nullptr;
}

const Module* ModuleTable::FromFile(const std::filesystem::path& file) const {
    std::error_code error;
    if (!executable_.File().empty() &&
        std::filesystem::equivalent(file, executable_.File(), error)) {
        return &executable_;
    }
    return nullptr;
}

}  // namespace platform::kernel
