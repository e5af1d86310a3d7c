// Turns a LOGFONTW into a realised font: picks the face file (Tahoma, its bold file,
// MS Sans Serif or Marlett from the fonts directory) and shares one realised instance,
// with its glyph cache, between all fonts of the same face, size and style.
// Callers hold the GDI lock.
#pragma once

#include "gdi/font_instance.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace platform::gdi {

class FontEngine {
  public:
    static FontEngine& Instance();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // Null when the face file cannot be read or opened.
    std::shared_ptr<FontInstance> Realize(const LOGFONTW& font);

  private:
    FontEngine();
    FontInstance::FileBytes ReadFile(const std::string& name);

    FT_Library library_ = nullptr;
    std::map<std::string, FontInstance::FileBytes> files_;
    std::map<std::tuple<std::string, int, bool, bool>, std::shared_ptr<FontInstance>> instances_;
};

}  // namespace platform::gdi
