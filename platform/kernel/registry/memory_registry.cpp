#include "kernel/registry/memory_registry.h"

#include "kernel/registry/registry_path.h"

namespace platform::kernel {

bool MemoryRegistry::CreateKey(RegistryRoot root, std::u16string_view path) {
    std::lock_guard lock(lock_);
    return Walk(root, path, true) != nullptr;
}

bool MemoryRegistry::SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                              RegistryValue value) {
    std::lock_guard lock(lock_);
    Key* key = Walk(root, path, true);
    if (key == nullptr) {
        return false;
    }
    key->values[FoldRegistryName(name)] = std::move(value);
    return true;
}

bool MemoryRegistry::KeyExists(RegistryRoot root, const std::u16string& path) {
    std::lock_guard lock(lock_);
    return Walk(root, path, false) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::Value(RegistryRoot root, const std::u16string& path,
                                                   const std::u16string& name) {
    std::lock_guard lock(lock_);
    const Key* key = Walk(root, path, false);
    if (key == nullptr) {
        return std::nullopt;
    }
    const auto value = key->values.find(FoldRegistryName(name));
    if (value == key->values.end()) {
        return std::nullopt;
    }
    return value->second;
}

MemoryRegistry::Key* MemoryRegistry::Walk(RegistryRoot root, std::u16string_view path,
                                          bool create) {
    const auto parts = SplitRegistryPath(path);
    if (!parts) {
        return nullptr;
    }
    Key* key = &roots_[root];
    for (const auto& part : *parts) {
        const std::u16string name = FoldRegistryName(part);
        auto subkey = key->subkeys.find(name);
        if (subkey == key->subkeys.end()) {
            if (!create) {
                return nullptr;
            }
            subkey = key->subkeys.emplace(name, std::make_unique<Key>()).first;
        }
        key = subkey->second.get();
    }
    return key;
}

}  // namespace platform::kernel
