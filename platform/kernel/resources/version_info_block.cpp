#include "kernel/resources/version_info_block.h"

#include <string>

#include "kernel/text/ignoring_case.h"

namespace platform::kernel {
namespace {

constexpr std::size_t kNodeHeaderSize = 6;
constexpr std::uint16_t kTextValue = 1;

}  // namespace

std::optional<VersionInfoBlock::Node> VersionInfoBlock::ReadNode(std::size_t offset,
                                                                 std::size_t limit) const {
    const auto length = reader_.Word(offset);
    const auto valueLength = reader_.Word(offset + 2);
    const auto type = reader_.Word(offset + 4);
    if (!length || !valueLength || !type || *length < kNodeHeaderSize || offset + *length > limit) {
        return std::nullopt;
    }
    Node node;
    node.end = offset + *length;
    auto key = reader_.TerminatedString(offset + kNodeHeaderSize, node.end);
    if (!key) {
        return std::nullopt;
    }
    node.valueOffset = AlignToDword(offset + kNodeHeaderSize + (key->size() + 1) * 2);
    node.key = std::move(*key);
    node.valueLength = *valueLength;
    const std::size_t valueBytes = *type == kTextValue ? *valueLength * 2u : *valueLength;
    if (valueBytes > 0 && node.valueOffset + valueBytes > node.end) {
        return std::nullopt;
    }
    node.childrenOffset = AlignToDword(node.valueOffset + valueBytes);
    return node;
}

VersionQueryResult VersionInfoBlock::Query(std::u16string_view path) const {
    using Status = VersionQueryResult::Status;
    auto node = ReadNode(0, reader_.Size());
    if (!node) {
        return {.status = Status::Malformed};
    }
    while (!path.empty()) {
        const std::size_t separator = path.find(u'\\');
        const std::u16string_view key = path.substr(0, separator);
        path = separator == std::u16string_view::npos ? std::u16string_view{}
                                                      : path.substr(separator + 1);
        // Empty parts (the leading backslash, doubled ones) name no level.
        if (key.empty()) {
            continue;
        }
        std::optional<Node> match;
        for (std::size_t child = node->childrenOffset; child < node->end && !match;) {
            auto candidate = ReadNode(child, node->end);
            if (!candidate) {
                return {.status = Status::Malformed};
            }
            child = AlignToDword(candidate->end);
            if (EqualsIgnoringCase(candidate->key, key)) {
                match = std::move(candidate);
            }
        }
        if (!match) {
            return {.status = Status::NotFound};
        }
        node = std::move(match);
    }
    return {.status = Status::Found,
            .valueOffset = node->valueOffset,
            .valueLength = node->valueLength};
}

}  // namespace platform::kernel
