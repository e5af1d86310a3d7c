// Texts the program converts: UTF-8 and UTF-16 both ways, dotted addresses read and
// written, and argument texts through the formatter. What is valid comes back as it
// went in.
#include <windows.h>

#include <algorithm>
#include <string>

#include "fuzz_target.h"
#include "kernel/text/utf8.h"
#include "net/ipv4_text.h"

TESSALINK_FUZZ_TARGET(text_forms) {
    using namespace platform;
    const std::string_view bytes = tessalink::fuzz::Text(input);

    const kernel::Utf16Text decoded = kernel::DecodeUtf8(bytes);
    const kernel::Utf8Text encoded = kernel::EncodeUtf8(decoded.text);
    FUZZ_CHECK(encoded.invalidSequences == 0);
    FUZZ_CHECK(decoded.invalidSequences != 0 || encoded.text == bytes);

    std::u16string wide(input.size() / 2, u'\0');
    std::copy_n(input.data(), wide.size() * 2, reinterpret_cast<std::uint8_t*>(wide.data()));
    const kernel::Utf8Text narrow = kernel::EncodeUtf8(wide);
    FUZZ_CHECK(narrow.invalidSequences != 0 || kernel::DecodeUtf8(narrow.text).text == wide);

    if (const auto address = net::ParseIpv4(bytes)) {
        FUZZ_CHECK(net::ParseDottedQuad(net::FormatIpv4(*address).data()) == address);
    }

    // wsprintfW writes at most 1023 characters and the terminator.
    const std::u16string argument = wide.substr(0, wide.find(u'\0'));
    WCHAR out[1024];
    const int written = wsprintfW(out, u"%s", argument.c_str());
    FUZZ_CHECK(std::u16string_view(out, written) ==
               std::u16string_view(argument).substr(0, std::size(out) - 1));
}
