// The read-only registry through its Win32 functions, over an in-memory source: key
// paths, the value size protocol, value types, and handles that are no longer keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "kernel/registry/memory_registry.h"
#include "kernel/registry/registry_values.h"

namespace platform::kernel {
namespace {

using RegistryBytes = std::basic_string<BYTE>;

template <typename T>
RegistryBytes BytesOf(const T& value) {
    return RegistryBytes(reinterpret_cast<const BYTE*>(&value), sizeof value);
}

HKEY OpenKey(HKEY parent, const char16_t* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(parent, path, 0, KEY_READ, &key), ERROR_SUCCESS);
    return key;
}

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        registry_->SetValue(kMachine, u"Comm\\eth0", u"DisplayName", StringValue(u"Office LAN"));
        registry_->SetValue(kMachine, u"Comm\\eth0\\Parms", u"Metric", DwordValue(3));
        InstallRegistrySource(registry_);
    }
    void TearDown() override { InstallRegistrySource(nullptr); }

    static constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
    std::shared_ptr<MemoryRegistry> registry_ = std::make_shared<MemoryRegistry>();
};

TEST_F(RegistryTest, KeysOpenByPathWithoutRegardToCaseAndOnlyForReading) {
    const struct {
        HKEY root;
        const char16_t* path;
        DWORD options;
        REGSAM access;
        LONG expected;
    } opens[] = {
        {HKEY_LOCAL_MACHINE, u"comm\\ETH0", 0, KEY_READ, ERROR_SUCCESS},
        {HKEY_LOCAL_MACHINE, u"Comm\\eth0\\Parms\\", 0, KEY_READ, ERROR_SUCCESS},
        {HKEY_LOCAL_MACHINE, u"Comm\\eth1", 0, KEY_READ, ERROR_FILE_NOT_FOUND},
        {HKEY_LOCAL_MACHINE, u"Comm\\\\eth0", 0, KEY_READ, ERROR_FILE_NOT_FOUND},
        {HKEY_LOCAL_MACHINE, u"\\Comm", 0, KEY_READ, ERROR_FILE_NOT_FOUND},
        {HKEY_LOCAL_MACHINE, u"Comm\\eth0\\DisplayName", 0, KEY_READ, ERROR_FILE_NOT_FOUND},
        {HKEY_CURRENT_USER, u"Comm", 0, KEY_READ, ERROR_FILE_NOT_FOUND},  // each root its own
        {HKEY_LOCAL_MACHINE, u"Comm", 0, KEY_SET_VALUE, ERROR_ACCESS_DENIED},
        {HKEY_LOCAL_MACHINE, u"Comm", 1, KEY_READ, ERROR_INVALID_PARAMETER},
    };
    for (const auto& open : opens) {
        SCOPED_TRACE(&open - opens);
        HKEY key = reinterpret_cast<HKEY>(0x1);
        EXPECT_EQ(RegOpenKeyExW(open.root, open.path, open.options, open.access, &key),
                  open.expected);
        EXPECT_EQ(key == nullptr, open.expected != ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // Relative to an open key, with a trailing '\'; value names ignore case too.
    HKEY eth0 = OpenKey(HKEY_LOCAL_MACHINE, u"Comm\\eth0");
    HKEY parms = OpenKey(eth0, u"PARMS\\");
    EXPECT_EQ(RegQueryValueExW(parms, u"metric", nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(parms);
    RegCloseKey(eth0);

    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Comm", 0, KEY_READ, nullptr),
              ERROR_INVALID_PARAMETER);
    InstallRegistrySource(nullptr);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Comm", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, EachValueArrivesInItsByteForm) {
    const DWORD metric = 0x12345678;
    const BYTE mac[] = {0, 0x1A, 0x2B};
    const struct {
        const char16_t* name;  // empty: the key's default value, asked for with no name
        RegistryValue stored;
        RegistryBytes read;
    } values[] = {
        {u"Metric", DwordValue(metric), BytesOf(metric)},
        {u"Servers", MultiStringValue({u"10.0.0.1", u"10.0.0.2"}),
         BytesOf(u"10.0.0.1\0"
                 u"10.0.0.2\0")},
        {u"Mac", BinaryValue({0, 0x1A, 0x2B}), BytesOf(mac)},
        {u"Path", StringValue(u"%W%", true), BytesOf(u"%W%")},
        {u"Marker", RegistryValue{REG_NONE, {}}, {}},
        // Terminated even though the source forgot to (three characters, no zero after).
        {u"Bare", RegistryValue{REG_SZ, {'a', 0, 'b', 0, 'c', 0}}, BytesOf(u"abc")},
        {u"", StringValue(u"default"), BytesOf(u"default")},
    };
    HKEY key = OpenKey(HKEY_LOCAL_MACHINE, u"Comm\\eth0");
    for (const auto& value : values) {
        SCOPED_TRACE(&value - values);
        // The registry asks its source at every call: the open key sees the new value.
        registry_->SetValue(kMachine, u"Comm\\eth0", value.name, value.stored);
        BYTE data[64] = {};
        DWORD type = 0;
        DWORD size = sizeof data;
        EXPECT_EQ(
            RegQueryValueExW(key, *value.name ? value.name : nullptr, nullptr, &type, data, &size),
            ERROR_SUCCESS);
        EXPECT_EQ(type, value.stored.type);
        EXPECT_EQ(RegistryBytes(data, size), value.read);
    }
    RegCloseKey(key);
}

TEST_F(RegistryTest, QueriesFollowTheSizeProtocol) {
    HKEY key = OpenKey(HKEY_LOCAL_MACHINE, u"Comm\\eth0");
    const DWORD expectedSize = sizeof(u"Office LAN");  // the terminator included
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, expectedSize);

    // One byte short, as when a number was expected: the type and the size still come
    // back and the buffer is left alone; the exact size is enough.
    WCHAR text[32];
    std::memset(text, 0x55, sizeof text);
    auto* bytes = reinterpret_cast<BYTE*>(text);
    size = expectedSize - 1;
    type = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", nullptr, &type, bytes, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, expectedSize);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text[0], 0x5555);
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", nullptr, &type, bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(text), u"Office LAN");

    EXPECT_EQ(RegQueryValueExW(key, u"Alias", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", &reserved, &type, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key, u"DisplayName", nullptr, &type, bytes, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ClosedKeysAndOtherHandlesAreNoKeysButPredefinedOnesStayOpen) {
    HKEY closed = OpenKey(HKEY_LOCAL_MACHINE, u"Comm");
    ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
    // The kernel's table holds events too: one is no key, and a key's close leaves it be.
    HANDLE event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    DWORD size = 0;
    for (HKEY stale : {closed, static_cast<HKEY>(nullptr), static_cast<HKEY>(event)}) {
        EXPECT_EQ(RegQueryValueExW(stale, u"DisplayName", nullptr, nullptr, nullptr, &size),
                  ERROR_INVALID_HANDLE);
        HKEY sub = nullptr;
        EXPECT_EQ(RegOpenKeyExW(stale, u"eth0", 0, KEY_READ, &sub), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegCloseKey(stale), ERROR_INVALID_HANDLE);
    }
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    CloseHandle(event);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    RegCloseKey(OpenKey(HKEY_LOCAL_MACHINE, u"Comm"));
}

}  // namespace
}  // namespace platform::kernel
