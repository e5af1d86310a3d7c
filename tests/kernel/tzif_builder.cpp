#include "tzif_builder.h"

namespace {

void AppendBigEndian(std::string& out, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = bytes; i-- > 0;) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string Block(const TzifContent& content, std::size_t timeSize) {
    std::string names;
    std::string types;
    for (const auto& type : content.types) {
        AppendBigEndian(types, static_cast<std::uint32_t>(type.utcOffset), 4);
        types += static_cast<char>(type.isDaylight);
        types += static_cast<char>(names.size());
        names += type.name + '\0';
    }
    std::string block = "TZif";
    block += content.version;
    block.append(15, '\0');
    for (const std::size_t count :
         {std::size_t{0}, std::size_t{0}, std::size_t{0}, content.transitions.size(),
          content.types.size(), names.size()}) {
        AppendBigEndian(block, count, 4);
    }
    for (const auto time : content.transitions) {
        AppendBigEndian(block, static_cast<std::uint64_t>(time), timeSize);
    }
    for (const auto index : content.typeIndices) {
        block += static_cast<char>(index);
    }
    return block + types + names;
}

}  // namespace

std::string BuildTzif(const TzifContent& content) {
    std::string file = Block(content, 4);
    if (content.version != '\0') {
        file += Block(content, 8) + "\n" + content.footer + "\n";
    }
    return file;
}
