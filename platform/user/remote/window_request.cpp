#include "user/remote/window_request.h"

#include <cstring>

namespace platform::user {

namespace {

constexpr std::uint32_t kRequestMagic = 0x31524C54;  // "TLR1"
constexpr std::uint32_t kReplyMagic = 0x31414C54;    // "TLA1"
constexpr std::uint32_t kNoName = 0xFFFFFFFF;

struct RequestHeader {
    std::uint32_t magic = kRequestMagic;
    std::uint32_t kind = 0;
    std::uint64_t instance = 0;
    std::uint64_t window = 0;
    std::uint32_t ownedPopupFirst = 0;
    std::uint32_t classUnits = kNoName;
    std::uint32_t titleUnits = kNoName;
    std::uint32_t reserved = 0;
};

struct ReplyRecord {
    std::uint32_t magic = kReplyMagic;
    std::uint32_t ok = 0;
    std::uint64_t instance = 0;
    std::uint64_t window = 0;
};

std::uint32_t UnitsOf(const std::optional<std::u16string>& name) {
    return name ? static_cast<std::uint32_t>(name->size()) : kNoName;
}

void Append(std::vector<std::byte>& bytes, const void* data, std::size_t size) {
    const std::size_t start = bytes.size();
    bytes.resize(start + size);
    std::memcpy(bytes.data() + start, data, size);
}

// Reads `units` code units from the front of `rest` into a name; false when too few.
bool TakeName(std::span<const std::byte>& rest, std::uint32_t units,
              std::optional<std::u16string>& name) {
    if (units == kNoName) {
        return true;
    }
    if (units > kMaxRequestNameUnits || rest.size() < units * sizeof(char16_t)) {
        return false;
    }
    name.emplace(units, u'\0');
    std::memcpy(name->data(), rest.data(), units * sizeof(char16_t));
    rest = rest.subspan(units * sizeof(char16_t));
    return true;
}

}  // namespace

std::optional<std::vector<std::byte>> EncodeRequest(const WindowRequest& request) {
    for (const auto* name : {&request.className, &request.title}) {
        if (*name && (*name)->size() > kMaxRequestNameUnits) {
            return std::nullopt;
        }
    }
    RequestHeader header;
    header.kind = static_cast<std::uint32_t>(request.kind);
    header.instance = request.instance;
    header.window = request.window;
    header.ownedPopupFirst = request.ownedPopupFirst ? 1 : 0;
    header.classUnits = UnitsOf(request.className);
    header.titleUnits = UnitsOf(request.title);
    std::vector<std::byte> bytes;
    Append(bytes, &header, sizeof header);
    for (const auto* name : {&request.className, &request.title}) {
        if (*name) {
            Append(bytes, (*name)->data(), (*name)->size() * sizeof(char16_t));
        }
    }
    return bytes;
}

std::optional<WindowRequest> DecodeRequest(std::span<const std::byte> bytes) {
    RequestHeader header;
    if (bytes.size() < sizeof header) {
        return std::nullopt;
    }
    std::memcpy(&header, bytes.data(), sizeof header);
    const bool knownKind =
        header.kind == static_cast<std::uint32_t>(WindowRequestKind::Find) ||
        header.kind == static_cast<std::uint32_t>(WindowRequestKind::BringForward);
    if (header.magic != kRequestMagic || !knownKind || header.ownedPopupFirst > 1) {
        return std::nullopt;
    }
    WindowRequest request;
    request.kind = static_cast<WindowRequestKind>(header.kind);
    request.instance = header.instance;
    request.window = header.window;
    request.ownedPopupFirst = header.ownedPopupFirst != 0;
    std::span<const std::byte> rest = bytes.subspan(sizeof header);
    if (!TakeName(rest, header.classUnits, request.className) ||
        !TakeName(rest, header.titleUnits, request.title) || !rest.empty()) {
        return std::nullopt;
    }
    return request;
}

std::vector<std::byte> EncodeReply(const WindowReply& reply) {
    ReplyRecord record;
    record.ok = reply.ok ? 1 : 0;
    record.instance = reply.instance;
    record.window = reply.window;
    std::vector<std::byte> bytes;
    Append(bytes, &record, sizeof record);
    return bytes;
}

std::optional<WindowReply> DecodeReply(std::span<const std::byte> bytes) {
    ReplyRecord record;
    if (bytes.size() != sizeof record) {
        return std::nullopt;
    }
    std::memcpy(&record, bytes.data(), sizeof record);
    if (record.magic != kReplyMagic || record.ok > 1) {
        return std::nullopt;
    }
    return WindowReply{record.ok != 0, record.instance, record.window};
}

}  // namespace platform::user
