// A reader's fuzz target. In the fuzz preset each target file is an executable of its
// own, and TESSALINK_FUZZ_TARGET is libFuzzer's entry point; everywhere else the targets
// register themselves by name, and the corpus test feeds each the inputs kept for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessalink::fuzz {

using Input = std::span<const std::uint8_t>;
using Target = void (*)(Input input);

bool Register(const char* name, Target target);

inline std::string_view Text(Input input) {
    return {reinterpret_cast<const char*>(input.data()), input.size()};
}

// A promise the reader made beyond not crashing was broken: the run stops there.
[[noreturn]] void Broken(const char* promise, const char* file, int line);

}  // namespace tessalink::fuzz

#define FUZZ_CHECK(promise) \
    ((promise) ? void() : ::tessalink::fuzz::Broken(#promise, __FILE__, __LINE__))

// NAME is the target's file name without "_fuzz.cpp", which its corpus folder also bears.
#ifdef TESSALINK_LIBFUZZER
#define TESSALINK_FUZZ_TARGET(NAME)                                                     \
    static void NAME##_target(::tessalink::fuzz::Input input);                          \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        NAME##_target({data, size});                                                    \
        return 0;                                                                       \
    }                                                                                   \
    static void NAME##_target(::tessalink::fuzz::Input input)
#else
#define TESSALINK_FUZZ_TARGET(NAME)                            \
    static void NAME##_target(::tessalink::fuzz::Input input); \
    [[maybe_unused]] static const bool NAME##_registered =     \
        ::tessalink::fuzz::Register(#NAME, NAME##_target);     \
    static void NAME##_target(::tessalink::fuzz::Input input)
#endif
