// A registry held in memory: a tree of keys with values, filled by whoever installs
// it (the simulated network from its scenario, tests) and read through the facade.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string_view>

#include "kernel/registry/registry_source.h"

namespace platform::kernel {

class MemoryRegistry : public RegistrySource {
  public:
    // Both create the key and its missing parents; false when the path is malformed.
    bool CreateKey(RegistryRoot root, std::u16string_view path);
    bool SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                  RegistryValue value);

    bool KeyExists(RegistryRoot root, const std::u16string& path) override;
    std::optional<RegistryValue> Value(RegistryRoot root, const std::u16string& path,
                                       const std::u16string& name) override;

  private:
    struct Key {
        // Both keyed by the folded name, so that lookups ignore case.
        std::map<std::u16string, std::unique_ptr<Key>> subkeys;
        std::map<std::u16string, RegistryValue> values;
    };

    // Null when the path is malformed, or names a missing key and `create` is false.
    Key* Walk(RegistryRoot root, std::u16string_view path, bool create);

    std::mutex lock_;
    std::map<RegistryRoot, Key> roots_;
};

}  // namespace platform::kernel
