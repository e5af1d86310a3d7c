#include "kernel/text/utf8.h"

#include <cstdint>

namespace platform::kernel {

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

void AppendCodePoint(std::u16string& out, std::uint32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

// What a lead byte promises: how many continuation bytes follow and the range the
// first of them must lie in (narrower than 80..BF where the shortest form, the
// surrogate gap or the U+10FFFF limit rule values out).
struct LeadByte {
    int continuationBytes = 0;
    std::uint32_t initialBits = 0;
    unsigned char firstLow = 0x80;
    unsigned char firstHigh = 0xBF;
};

bool ReadLeadByte(unsigned char byte, LeadByte& lead) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        lead = {1, byte & 0x1Fu};
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        lead = {2, byte & 0x0Fu};
        if (byte == 0xE0) {
            lead.firstLow = 0xA0;
        } else if (byte == 0xED) {
            lead.firstHigh = 0x9F;
        }
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        lead = {3, byte & 0x07u};
        if (byte == 0xF0) {
            lead.firstLow = 0x90;
        } else if (byte == 0xF4) {
            lead.firstHigh = 0x8F;
        }
    } else {
        return false;
    }
    return true;
}

void AppendUtf8(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

Utf16Text DecodeUtf8(std::string_view bytes) {
    Utf16Text result;
    result.text.reserve(bytes.size());
    std::size_t position = 0;
    while (position < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[position]);
        if (byte < 0x80) {
            result.text.push_back(byte);
            ++position;
            continue;
        }
        LeadByte lead;
        if (!ReadLeadByte(byte, lead)) {
            result.text.push_back(kReplacementCharacter);
            ++result.invalidSequences;
            ++position;
            continue;
        }
        std::uint32_t codePoint = lead.initialBits;
        std::size_t next = position + 1;
        int read = 0;
        while (read < lead.continuationBytes && next < bytes.size()) {
            const auto continuation = static_cast<unsigned char>(bytes[next]);
            const unsigned char low = read == 0 ? lead.firstLow : 0x80;
            const unsigned char high = read == 0 ? lead.firstHigh : 0xBF;
            if (continuation < low || continuation > high) {
                break;
            }
            codePoint = (codePoint << 6) | (continuation & 0x3Fu);
            ++next;
            ++read;
        }
        if (read == lead.continuationBytes) {
            AppendCodePoint(result.text, codePoint);
        } else {
            result.text.push_back(kReplacementCharacter);
            ++result.invalidSequences;
        }
        position = next;
    }
    return result;
}

Utf8Text EncodeUtf8(std::u16string_view text) {
    Utf8Text result;
    result.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const std::uint32_t codePoint =
                0x10000 + ((std::uint32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            AppendUtf8(result.text, codePoint);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(result.text, kReplacementCharacter);
            ++result.invalidSequences;
        } else {
            AppendUtf8(result.text, unit);
        }
    }
    return result;
}

}  // namespace platform::kernel
