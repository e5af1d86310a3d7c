#include "kernel/memory_registry.h"

#include "kernel/registry_path.h"

namespace platform::kernel {

bool MemoryRegistry::CreateKey(RegistryRoot root, std::u16string_view path) {
    std::lock_guard lock(lock_);
    return FindOrCreate(root, path) != nullptr;
}

bool MemoryRegistry::SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                              RegistryValue value) {
    std::lock_guard lock(lock_);
    Key* key = FindOrCreate(root, path);
    if (key == nullptr) {
        return false;
    }
    key->values[FoldRegistryName(name)] = std::move(value);
    return true;
}

bool MemoryRegistry::KeyExists(RegistryRoot root, const std::u16string& path) {
    std::lock_guard lock(lock_);
    return Find(root, path) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::Value(RegistryRoot root, const std::u16string& path,
                                                   const std::u16string& name) {
    std::lock_guard lock(lock_);
    const Key* key = Find(root, path);
    if (key == nullptr) {
        return std::nullopt;
    }
    const auto value = key->values.find(FoldRegistryName(name));
    if (value == key->values.end()) {
        return std::nullopt;
    }
    return value->second;
}

MemoryRegistry::Key* MemoryRegistry::Find(RegistryRoot root, std::u16string_view path) {
    const auto parts = SplitRegistryPath(path);
    if (!parts) {
        return nullptr;
    }
    Key* key = &roots_[root];
    for (const auto& part : *parts) {
        const auto subkey = key->subkeys.find(FoldRegistryName(part));
        if (subkey == key->subkeys.end()) {
            return nullptr;
        }
        key = subkey->second.get();
    }
    return key;
}

MemoryRegistry::Key* MemoryRegistry::FindOrCreate(RegistryRoot root, std::u16string_view path) {
    const auto parts = SplitRegistryPath(path);
    if (!parts) {
        return nullptr;
    }
    Key* key = &roots_[root];
    for (const auto& part : *parts) {
        auto& subkey = key->subkeys[FoldRegistryName(part)];
        if (!subkey) {
            subkey = std::make_unique<Key>();
        }
        key = subkey.get();
    }
    return key;
}

}  // namespace platform::kernel
