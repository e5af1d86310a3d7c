// A line of a device script: its words, and each word read as a key chord, as `key`
// reads its argument. A chord has a key, and only modifiers before it.
#include "device/automation/key_chord.h"
#include "device/automation/script_words.h"
#include "fuzz_target.h"

TESSALINK_FUZZ_TARGET(script_line) {
    using namespace platform::device::automation;
    std::string error;
    const auto words = SplitScriptWords(tessalink::fuzz::Text(input), error);
    FUZZ_CHECK(words.has_value() == error.empty());
    for (const std::string& word : words.value_or(std::vector<std::string>{})) {
        std::string chordError;
        if (const auto chord = ParseKeyChord(word, chordError)) {
            FUZZ_CHECK(chord->key != 0);
        } else {
            FUZZ_CHECK(!chordError.empty());
        }
    }
}
