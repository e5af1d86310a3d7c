#include "gdi/font_engine.h"

namespace platform::gdi {

namespace {

constexpr const char* kFontDirectory = "/usr/share/wine/fonts/";
constexpr LONG kBoldWeight = 600;

std::string LowerAsciiFaceName(const LOGFONTW& font) {
    std::string name;
    for (WCHAR c : font.lfFaceName) {
        if (c == 0) {
            break;
        }
        name.push_back(c < 0x80 ? static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c) : '?');
    }
    return name;
}

struct FaceChoice {
    std::string file;
    bool embolden = false;
};

// Every other name maps to Tahoma, the handheld's system face, as the font mapper
// substitutes the closest face it has.
FaceChoice ChooseFace(const LOGFONTW& font) {
    const std::string name = LowerAsciiFaceName(font);
    const bool bold = font.lfWeight >= kBoldWeight;
    if (name == "ms sans serif") {
        return {"ms_sans_serif.ttf", bold};
    }
    if (name == "marlett") {
        return {"marlett.ttf", false};
    }
    return {bold ? "tahomabd.ttf" : "tahoma.ttf", false};
}

}  // namespace

FontEngine& FontEngine::Instance() {
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() {
    FT_Init_FreeType(&library_);
}

FontEngine::~FontEngine() {
    instances_.clear();
    FT_Done_FreeType(library_);
}

FontInstance::FileBytes FontEngine::ReadFile(const std::string& name) {
    if (auto found = files_.find(name); found != files_.end()) {
        return found->second;
    }
    auto bytes = MappedFontFile::Open(kFontDirectory + name);
    if (bytes) {
        files_[name] = bytes;
    }
    return bytes;
}

std::shared_ptr<FontInstance> FontEngine::Realize(const LOGFONTW& font) {
    if (!library_) {
        return nullptr;
    }
    const FaceChoice face = ChooseFace(font);
    const FontStyle style{font.lfHeight, font.lfItalic != 0, face.embolden};
    const auto key = std::make_tuple(face.file, style.height, style.italic, style.embolden);
    if (auto found = instances_.find(key); found != instances_.end()) {
        return found->second;
    }
    FontInstance::FileBytes bytes = ReadFile(face.file);
    if (!bytes) {
        return nullptr;
    }
    std::shared_ptr<FontInstance> instance = FontInstance::Create(library_, bytes, style);
    if (instance) {
        instances_[key] = instance;
    }
    return instance;
}

}  // namespace platform::gdi
