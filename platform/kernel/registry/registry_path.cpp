#include "kernel/registry/registry_path.h"

#include "kernel/text/case_folding.h"

namespace platform::kernel {

std::u16string FoldRegistryName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) {
        c = FoldCase(c);
    }
    return folded;
}

std::optional<std::vector<std::u16string>> SplitRegistryPath(std::u16string_view path) {
    if (path.ends_with(u'\\')) {
        path.remove_suffix(1);
    }
    std::vector<std::u16string> parts;
    if (path.empty()) {
        return parts;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(u'\\', start);
        const std::u16string_view part = path.substr(start, end - start);
        if (part.empty()) {
            return std::nullopt;
        }
        parts.emplace_back(part);
        if (end == std::u16string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

}  // namespace platform::kernel
