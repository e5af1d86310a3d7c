// The display that shows nothing: the screen lives in memory only, for tests and for
// automation, which read it through screenshots.
#pragma once

#include "display/display.h"

namespace platform::display {

class HeadlessDisplay final : public Display {
  public:
    bool Start(std::string& /*error*/) override { return true; }
    void Stop() override {}
};

}  // namespace platform::display
