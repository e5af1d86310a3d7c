// A font face realised at one pixel size and style, with the glyphs it has rendered so
// far. Rendering is monochrome at 96 dpi, as on the handheld's screen. Callers hold the
// GDI lock: FreeType faces are not thread-safe.
#pragma once

#include "gdi/font_metrics.h"
#include "gdi/glyph.h"
#include "gdi/mapped_font_file.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <unordered_map>
#include <vector>

namespace platform::gdi {

struct FontStyle {
    int height = 0;         // LOGFONTW's: negative is the em size, positive the cell height
    bool italic = false;    // slanted, since the faces have no italic files
    bool embolden = false;  // thickened, for a face with no bold file
};

class FontInstance {
  public:
    using FileBytes = std::shared_ptr<const MappedFontFile>;

    // Null when FreeType cannot open the bytes as a face.
    static std::unique_ptr<FontInstance> Create(FT_Library library, FileBytes file,
                                                const FontStyle& style);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    const FontMetrics& Metrics() const { return metrics_; }
    const Glyph& GlyphFor(char32_t character);

  private:
    FontInstance(FileBytes file, FT_Face face, const FontStyle& style);
    int SelectStrike(int em_pixels);
    void ComputeMetrics(int em_pixels);
    FT_UInt GlyphIndex(char32_t character) const;

    FileBytes file_;
    FT_Face face_ = nullptr;
    FontStyle style_;
    bool symbol_encoding_ = false;
    FontMetrics metrics_;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace platform::gdi
