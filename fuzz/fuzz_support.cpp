#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>

#include "fuzz_target.h"
#include "fuzz_targets.h"

namespace tessalink::fuzz {

std::map<std::string, Target>& Targets() {
    static std::map<std::string, Target> targets;
    return targets;
}

bool Register(const char* name, Target target) {
    return Targets().emplace(name, target).second;
}

void Broken(const char* promise, const char* file, int line) {
    const std::string what = std::string(file) + ":" + std::to_string(line) + ": " + promise;
#ifdef TESSALINK_LIBFUZZER
    std::fprintf(stderr, "broken promise at %s\n", what.c_str());
    std::abort();
#else
    throw std::logic_error(what);
#endif
}

}  // namespace tessalink::fuzz
