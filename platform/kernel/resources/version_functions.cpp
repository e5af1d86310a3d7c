// GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW. Only a loaded
// module's file has resources that the platform can read; any other existing file
// answers as a Windows file without a resource section would.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <system_error>

#include "kernel/resources/module_table.h"
#include "kernel/resources/resources.h"
#include "kernel/resources/version_info_block.h"
#include "kernel/text/wide_path.h"

namespace {

using platform::kernel::ModuleTable;

// wLength, wValueLength, wType of the root node.
constexpr std::size_t kRootHeaderSize = 6;

std::optional<std::span<const std::uint8_t>> FindVersionResource(LPCWSTR fileName) {
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    const auto file = platform::kernel::PathFromWide(fileName);
    if (!file) {
        SetLastError(ERROR_INVALID_NAME);
        return std::nullopt;
    }
    std::error_code error;
    if (!std::filesystem::exists(*file, error)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    const auto* module = ModuleTable::Instance().FromFile(*file);
    if (module == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return std::nullopt;
    }
    const auto index =
        platform::kernel::FindResourceIndex(*module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!index) {
        return std::nullopt;
    }
    const auto data = module->Resources().Entries()[*index].data;
    if (data.size() < kRootHeaderSize) {
        SetLastError(ERROR_INVALID_DATA);
        return std::nullopt;
    }
    return data;
}

std::uint16_t ReadRootLength(const void* block) {
    std::uint8_t bytes[2];
    std::memcpy(bytes, block, sizeof bytes);
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

void WriteRootLength(void* block, std::uint16_t length) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(length),
                                   static_cast<std::uint8_t>(length >> 8)};
    std::memcpy(block, bytes, sizeof bytes);
}

}  // namespace

extern "C" DWORD APIENTRY GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle) {
    if (lpdwHandle != nullptr) {
        *lpdwHandle = 0;
    }
    const auto version = FindVersionResource(lptstrFilename);
    return version ? static_cast<DWORD>(version->size()) : 0;
}

extern "C" BOOL APIENTRY GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD /*dwHandle*/,
                                             DWORD dwLen, LPVOID lpData) {
    if (lpData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto version = FindVersionResource(lptstrFilename);
    if (!version) {
        return FALSE;
    }
    // A short buffer gets the start of the block, as on Windows; the root's length
    // is cut to match, so that VerQueryValueW never walks past what was copied.
    const std::size_t copied = std::min<std::size_t>(dwLen, version->size());
    if (copied < kRootHeaderSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(lpData, version->data(), copied);
    const std::size_t rootLength = std::min<std::size_t>(ReadRootLength(lpData), copied);
    WriteRootLength(lpData, static_cast<std::uint16_t>(rootLength));
    return TRUE;
}

extern "C" BOOL APIENTRY VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer,
                                        PUINT puLen) {
    if (lplpBuffer != nullptr) {
        *lplpBuffer = nullptr;
    }
    if (puLen != nullptr) {
        *puLen = 0;
    }
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The block is one that GetFileVersionInfoW filled, so its root length is what
    // the caller's buffer holds.
    const auto* bytes = static_cast<const std::uint8_t*>(pBlock);
    const platform::kernel::VersionInfoBlock block({bytes, ReadRootLength(pBlock)});
    const auto result = block.Query(lpSubBlock);
    using Status = platform::kernel::VersionQueryResult::Status;
    if (result.status != Status::Found) {
        SetLastError(result.status == Status::NotFound ? ERROR_RESOURCE_TYPE_NOT_FOUND
                                                       : ERROR_INVALID_DATA);
        return FALSE;
    }
    *lplpBuffer = const_cast<std::uint8_t*>(bytes + result.valueOffset);
    if (puLen != nullptr) {
        *puLen = result.valueLength;
    }
    return TRUE;
}
