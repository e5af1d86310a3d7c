// A scenario file that cannot be used. The message names the file, the place in it and
// what was expected there, so that the user can fix it without reading our code.
#pragma once

#include <stdexcept>

namespace platform::net::sim {

class ScenarioError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace platform::net::sim
