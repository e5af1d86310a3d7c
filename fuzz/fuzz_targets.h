// The registered targets by name, for the corpus test.
#pragma once

#include <map>
#include <string>

#include "fuzz_target.h"

namespace tessalink::fuzz {

std::map<std::string, Target>& Targets();

}  // namespace tessalink::fuzz
