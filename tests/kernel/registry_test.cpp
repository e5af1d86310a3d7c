// The read-only registry through its Win32 functions, over an in-memory source: key
// paths, the value size protocol, value types, and handles that are no longer keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "kernel/registry/memory_registry.h"
#include "kernel/registry/registry_values.h"

namespace {

using namespace platform::kernel;

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        registry_->SetValue(RegistryRoot::LocalMachine, u"Comm\\eth0", u"DisplayName",
                            StringValue(u"Office LAN"));
        registry_->SetValue(RegistryRoot::LocalMachine, u"Comm\\eth0\\Parms", u"Metric",
                            DwordValue(0x12345678));
        registry_->SetValue(RegistryRoot::LocalMachine, u"Comm\\eth0\\Parms", u"Servers",
                            MultiStringValue({u"10.0.0.1", u"10.0.0.2"}));
        registry_->SetValue(RegistryRoot::LocalMachine, u"Comm\\eth0\\Parms", u"Mac",
                            BinaryValue({0x00, 0x1A, 0x2B}));
        registry_->SetValue(RegistryRoot::LocalMachine, u"Comm\\eth0\\Parms", u"Path",
                            StringValue(u"%Windows%", true));
        registry_->SetValue(RegistryRoot::LocalMachine, u"Comm\\eth0\\Parms", u"Marker",
                            RegistryValue{REG_NONE, {}});
        // A source that forgot the terminator (three characters, no zero after them).
        registry_->SetValue(RegistryRoot::CurrentUser, u"Raw", u"Bare",
                            RegistryValue{REG_SZ, {'a', 0, 'b', 0, 'c', 0}});
        registry_->SetValue(RegistryRoot::CurrentUser, u"Raw", u"", StringValue(u"default"));
        InstallRegistrySource(registry_);
    }
    void TearDown() override { InstallRegistrySource(nullptr); }

    static HKEY Open(HKEY parent, const char16_t* path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(parent, path, 0, KEY_READ, &key), ERROR_SUCCESS)
            << std::u16string(path).size();
        return key;
    }

    std::shared_ptr<MemoryRegistry> registry_ = std::make_shared<MemoryRegistry>();
};

TEST_F(RegistryTest, KeysOpenByPathWithoutRegardToCase) {
    HKEY key = Open(HKEY_LOCAL_MACHINE, u"comm\\ETH0");
    ASSERT_NE(key, nullptr);
    HKEY parms = Open(key, u"PARMS\\");  // relative to an open key; a trailing '\' is fine
    EXPECT_EQ(RegQueryValueExW(parms, u"metric", nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(parms), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    HKEY missing = reinterpret_cast<HKEY>(0x1);
    for (const char16_t* path :
         {u"Comm\\eth1", u"Comm\\\\eth0", u"\\Comm", u"Comm\\eth0\\Metric"}) {
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &missing),
                  ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(missing, nullptr);
    }
    // Each root has its own tree.
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Comm", 0, KEY_READ, &missing),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, OpenRefusesWhatAReadOnlyRegistryCannotDo) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Comm", 0, KEY_SET_VALUE, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Comm", 1, KEY_READ, &key),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Comm", 0, KEY_READ, nullptr),
              ERROR_INVALID_PARAMETER);
    InstallRegistrySource(nullptr);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Comm", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, StringQueryFollowsTheSizeProtocol) {
    HKEY key = Open(HKEY_LOCAL_MACHINE, u"Comm\\eth0");
    const DWORD expectedSize = sizeof(u"Office LAN");  // the terminator included

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, expectedSize);

    WCHAR text[32];
    std::memset(text, 0x55, sizeof text);
    size = expectedSize - 1;
    EXPECT_EQ(
        RegQueryValueExW(key, u"DisplayName", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, expectedSize);
    EXPECT_EQ(text[0], 0x5555) << "a failed read leaves the buffer alone";

    size = sizeof text;
    EXPECT_EQ(
        RegQueryValueExW(key, u"displayname", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(size, expectedSize);
    EXPECT_EQ(std::u16string(text), u"Office LAN");

    EXPECT_EQ(RegQueryValueExW(key, u"Alias", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", &reserved, &type, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", nullptr, &type, reinterpret_cast<BYTE*>(text),
                               nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(RegistryTest, EachValueTypeArrivesInItsByteForm) {
    HKEY key = Open(HKEY_LOCAL_MACHINE, u"Comm\\eth0\\Parms");
    BYTE data[64];
    auto read = [&](const char16_t* name, DWORD expectedType) {
        DWORD type = 0;
        DWORD size = sizeof data;
        std::memset(data, 0x55, sizeof data);
        EXPECT_EQ(RegQueryValueExW(key, name, nullptr, &type, data, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, expectedType);
        return std::basic_string<BYTE>(data, size);
    };
    DWORD metric = 0;
    const auto dword = read(u"Metric", REG_DWORD);
    ASSERT_EQ(dword.size(), sizeof metric);
    std::memcpy(&metric, dword.data(), sizeof metric);
    EXPECT_EQ(metric, 0x12345678u);

    const auto list = read(u"Servers", REG_MULTI_SZ);
    EXPECT_EQ(list.size(), sizeof(u"10.0.0.1\0"
                                  u"10.0.0.2\0"));
    EXPECT_EQ(std::memcmp(list.data(),
                          u"10.0.0.1\0"
                          u"10.0.0.2\0",
                          list.size()),
              0);

    EXPECT_EQ(read(u"Mac", REG_BINARY), (std::basic_string<BYTE>{0x00, 0x1A, 0x2B}));
    EXPECT_EQ(read(u"Path", REG_EXPAND_SZ).size(), sizeof(u"%Windows%"));
    EXPECT_TRUE(read(u"Marker", REG_NONE).empty());

    // Reading a string where a number was expected: the type says so, the size too.
    DWORD type = 0;
    DWORD size = sizeof metric;
    HKEY eth0 = Open(HKEY_LOCAL_MACHINE, u"Comm\\eth0");
    EXPECT_EQ(RegQueryValueExW(eth0, u"DisplayName", nullptr, &type,
                               reinterpret_cast<BYTE*>(&metric), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RegCloseKey(eth0);
    RegCloseKey(key);
}

TEST_F(RegistryTest, StringsAreTerminatedEvenWhenTheSourceWasNot) {
    HKEY key = Open(HKEY_CURRENT_USER, u"Raw");
    WCHAR text[8];
    DWORD size = sizeof text;
    EXPECT_EQ(
        RegQueryValueExW(key, u"Bare", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof(u"abc"));
    EXPECT_EQ(std::u16string(text), u"abc");
    // No name is the key's default value.
    size = sizeof text;
    EXPECT_EQ(
        RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(text), u"default");
    RegCloseKey(key);
}

TEST_F(RegistryTest, ClosedStaleAndForgedKeysAreInvalidHandles) {
    HKEY first = Open(HKEY_LOCAL_MACHINE, u"Comm");
    ASSERT_EQ(RegCloseKey(first), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(first, u"DisplayName", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
    HKEY sub = nullptr;
    EXPECT_EQ(RegOpenKeyExW(first, u"eth0", 0, KEY_READ, &sub), ERROR_INVALID_HANDLE);

    // The next key may take the closed one's slot; the old handle still finds nothing.
    HKEY second = Open(HKEY_LOCAL_MACHINE, u"Comm\\eth0");
    EXPECT_NE(second, first);
    EXPECT_EQ(RegQueryValueExW(first, u"DisplayName", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(second, u"DisplayName", nullptr, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    RegCloseKey(second);

    for (HKEY forged : {static_cast<HKEY>(nullptr), reinterpret_cast<HKEY>(0x1234),
                        reinterpret_cast<HKEY>(&size)}) {
        EXPECT_EQ(RegQueryValueExW(forged, u"DisplayName", nullptr, nullptr, nullptr, &size),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegCloseKey(forged), ERROR_INVALID_HANDLE);
    }
    // Predefined keys stay open whatever the program closes.
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    HKEY again = Open(HKEY_LOCAL_MACHINE, u"Comm");
    EXPECT_NE(again, nullptr);
    RegCloseKey(again);
}

TEST(MemoryRegistryTest, RefusesMalformedPathsAndIgnoresCase) {
    MemoryRegistry registry;
    EXPECT_FALSE(registry.SetValue(RegistryRoot::LocalMachine, u"a\\\\b", u"v", DwordValue(1)));
    EXPECT_FALSE(registry.CreateKey(RegistryRoot::LocalMachine, u"\\a"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, u"a"));
    EXPECT_TRUE(registry.CreateKey(RegistryRoot::LocalMachine, u"Alpha\\Beta"));
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, u"ALPHA\\beta"));
    EXPECT_TRUE(registry.SetValue(RegistryRoot::LocalMachine, u"alpha", u"Value", DwordValue(1)));
    EXPECT_TRUE(registry.SetValue(RegistryRoot::LocalMachine, u"ALPHA", u"VALUE", DwordValue(2)));
    const auto value = registry.Value(RegistryRoot::LocalMachine, u"Alpha", u"value");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data, DwordValue(2).data);
    EXPECT_FALSE(registry.Value(RegistryRoot::Users, u"Alpha", u"value"));
}

}  // namespace
