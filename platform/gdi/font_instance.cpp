#include "gdi/font_instance.h"

#include "gdi/glyph_effects.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform::gdi {

namespace {

// The size to realise when LOGFONTW asks for height 0: 8 points at 96 dpi.
constexpr int kDefaultEmPixels = 11;

int Scale(long font_units, double scale) {
    return static_cast<int>(std::lround(static_cast<double>(font_units) * scale));
}

}  // namespace

std::unique_ptr<FontInstance> FontInstance::Create(FT_Library library, FileBytes file,
                                                   const FontStyle& style) {
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, file->data(), static_cast<FT_Long>(file->size()), 0, &face) !=
        0) {
        return nullptr;
    }
    return std::unique_ptr<FontInstance>(new FontInstance(std::move(file), face, style));
}

FontInstance::FontInstance(FileBytes file, FT_Face face, const FontStyle& style)
    : file_(std::move(file)), face_(face), style_(style) {
    if (FT_Select_Charmap(face_, FT_ENCODING_UNICODE) != 0 &&
        FT_Select_Charmap(face_, FT_ENCODING_MS_SYMBOL) == 0) {
        symbol_encoding_ = true;
    }
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    const long cell_units =
        os2 ? os2->usWinAscent + os2->usWinDescent : face_->ascender - face_->descender;
    int em_pixels = kDefaultEmPixels;
    if (style.height < 0) {
        em_pixels = -style.height;
    } else if (style.height > 0 && cell_units > 0) {
        em_pixels = std::max(1, static_cast<int>(std::lround(double(style.height) *
                                                             face_->units_per_EM / cell_units)));
    }
    if (FT_IS_SCALABLE(face_)) {
        FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em_pixels));
    } else {
        em_pixels = SelectStrike(em_pixels);
    }
    ComputeMetrics(em_pixels);
}

// A bitmap-only face (MS Sans Serif) comes in a few sizes: take the largest strike
// that fits the requested em size, else the smallest, as the font mapper does.
int FontInstance::SelectStrike(int em_pixels) {
    int chosen = 0;
    for (int i = 0; i < face_->num_fixed_sizes; ++i) {
        const int size = static_cast<int>(face_->available_sizes[i].y_ppem >> 6);
        const int best = static_cast<int>(face_->available_sizes[chosen].y_ppem >> 6);
        if ((size <= em_pixels && (size > best || best > em_pixels)) ||
            (best > em_pixels && size < best)) {
            chosen = i;
        }
    }
    if (face_->num_fixed_sizes == 0 || FT_Select_Size(face_, chosen) != 0) {
        return em_pixels;
    }
    return static_cast<int>(face_->available_sizes[chosen].y_ppem >> 6);
}

FontInstance::~FontInstance() {
    FT_Done_Face(face_);
}

void FontInstance::ComputeMetrics(int em_pixels) {
    const double scale = double(em_pixels) / face_->units_per_EM;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    const long ascent_units = os2 ? os2->usWinAscent : face_->ascender;
    const long descent_units = os2 ? os2->usWinDescent : -face_->descender;
    if (style_.height > 0) {
        // A cell height request gets exactly that height, as on Windows.
        metrics_.ascent =
            Scale(ascent_units, double(style_.height) / double(ascent_units + descent_units));
        metrics_.descent = style_.height - metrics_.ascent;
    } else {
        metrics_.ascent = Scale(ascent_units, scale);
        metrics_.descent = Scale(descent_units, scale);
    }
    metrics_.internal_leading = std::max(0, metrics_.Height() - em_pixels);
    // The face's line spacing beyond its cell is the gap Windows reports as external.
    metrics_.external_leading =
        std::max(0, Scale(face_->height - (ascent_units + descent_units), scale));
    metrics_.average_char_width =
        os2 && os2->xAvgCharWidth > 0 ? Scale(os2->xAvgCharWidth, scale) : em_pixels / 2;
    metrics_.max_char_width = Scale(face_->max_advance_width, scale);
    metrics_.underline_offset = std::max(1, Scale(-face_->underline_position, scale));
    metrics_.underline_thickness = std::max(1, Scale(face_->underline_thickness, scale));
    if (style_.embolden) {
        ++metrics_.average_char_width;
        ++metrics_.max_char_width;
    }
}

FT_UInt FontInstance::GlyphIndex(char32_t character) const {
    FT_UInt index = FT_Get_Char_Index(face_, character);
    // Symbol faces (marlett) put their glyphs at U+F000 plus the character code.
    if (index == 0 && symbol_encoding_ && character < 0x100) {
        index = FT_Get_Char_Index(face_, 0xF000 | character);
    }
    return index;
}

const Glyph& FontInstance::GlyphFor(char32_t character) {
    if (auto found = glyphs_.find(character); found != glyphs_.end()) {
        return found->second;
    }
    Glyph& glyph = glyphs_[character];
    // Embedded bitmaps are used where the face has them, as Windows does for small sizes.
    if (FT_Load_Glyph(face_, GlyphIndex(character), FT_LOAD_TARGET_MONO) != 0) {
        return glyph;
    }
    FT_GlyphSlot slot = face_->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return glyph;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.pitch = std::abs(bitmap.pitch);
    glyph.bits.resize(static_cast<std::size_t>(glyph.pitch) * glyph.rows);
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* source = bitmap.pitch >= 0
                                          ? bitmap.buffer + row * bitmap.pitch
                                          : bitmap.buffer + (glyph.rows - 1 - row) * -bitmap.pitch;
        std::memcpy(glyph.bits.data() + row * glyph.pitch, source, glyph.pitch);
    }
    // Styles the face has no file for are made from the rendered image.
    if (style_.embolden) {
        glyph = Emboldened(glyph);
    }
    if (style_.italic) {
        glyph = Slanted(glyph);
    }
    return glyph;
}

}  // namespace platform::gdi
