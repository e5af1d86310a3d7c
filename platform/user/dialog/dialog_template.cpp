#include "user/dialog/dialog_template.h"

#include <array>

#include "kernel/resources/byte_reader.h"

namespace platform::user {

namespace {

constexpr std::uint16_t kExtendedSignature = 0xFFFF;
constexpr std::uint16_t kOrdinalMarker = 0xFFFF;

// Walks a template front to back; each read either moves on or fails, and once a read
// has failed every later one does too, so the parser checks once per structure.
class TemplateCursor {
  public:
    explicit TemplateCursor(std::span<const std::uint8_t> bytes) : reader_(bytes) {}

    bool Ok() const { return ok_; }

    std::uint16_t Word() {
        const auto value = ok_ ? reader_.Word(offset_) : std::nullopt;
        return Advance(value, 2);
    }
    std::uint32_t Dword() {
        const auto value = ok_ ? reader_.Dword(offset_) : std::nullopt;
        return Advance(value, 4);
    }
    std::int16_t Short() { return static_cast<std::int16_t>(Word()); }
    std::uint8_t Byte() {
        if (!ok_ || !reader_.Has(offset_, 1)) {
            ok_ = false;
            return 0;
        }
        return reader_.Bytes(offset_++, 1)[0];
    }

    std::u16string Text() {
        const auto text = ok_ ? reader_.TerminatedString(offset_, reader_.Size()) : std::nullopt;
        if (!text) {
            ok_ = false;
            return {};
        }
        offset_ += (text->size() + 1) * 2;
        return *text;
    }

    // 0x0000 for nothing, 0xFFFF and an ordinal, or a terminated text.
    TemplateName Name() {
        const auto first = ok_ ? reader_.Word(offset_) : std::nullopt;
        if (!first) {
            ok_ = false;
            return {};
        }
        if (*first == kOrdinalMarker) {
            offset_ += 2;
            return TemplateName{{}, Word(), true};
        }
        return TemplateName{Text(), 0, false};
    }

    std::vector<std::uint8_t> Bytes(std::size_t count) {
        if (!ok_ || !reader_.Has(offset_, count)) {
            ok_ = false;
            return {};
        }
        const auto bytes = reader_.Bytes(offset_, count);
        offset_ += count;
        return {bytes.begin(), bytes.end()};
    }

    void AlignToDword() { offset_ = kernel::AlignToDword(offset_); }

    std::uint16_t PeekWord(std::size_t ahead) const {
        return reader_.Word(offset_ + ahead).value_or(0);
    }

  private:
    template <typename Value>
    Value Advance(std::optional<Value> value, std::size_t size) {
        if (!value) {
            ok_ = false;
            return 0;
        }
        offset_ += size;
        return *value;
    }

    kernel::ByteReader reader_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

TemplateRect ReadRect(TemplateCursor& cursor) {
    TemplateRect rect;
    rect.x = cursor.Short();
    rect.y = cursor.Short();
    rect.cx = cursor.Short();
    rect.cy = cursor.Short();
    return rect;
}

// The creation data's size word counts the bytes after it; the control receives both.
std::vector<std::uint8_t> ReadCreationData(TemplateCursor& cursor) {
    const std::uint16_t size = cursor.Word();
    if (size == 0 || !cursor.Ok()) {
        return {};
    }
    std::vector<std::uint8_t> data{static_cast<std::uint8_t>(size & 0xFF),
                                   static_cast<std::uint8_t>(size >> 8)};
    const auto rest = cursor.Bytes(size);
    data.insert(data.end(), rest.begin(), rest.end());
    return data;
}

DialogItemTemplate ReadItem(TemplateCursor& cursor, bool extended) {
    DialogItemTemplate item;
    cursor.AlignToDword();
    if (extended) {
        item.helpId = cursor.Dword();
        item.exStyle = cursor.Dword();
        item.style = cursor.Dword();
    } else {
        item.style = cursor.Dword();
        item.exStyle = cursor.Dword();
    }
    item.rect = ReadRect(cursor);
    item.id = extended ? cursor.Dword() : cursor.Word();
    item.windowClass = cursor.Name();
    item.title = cursor.Name();
    item.creationData = ReadCreationData(cursor);
    return item;
}

DialogFont ReadFont(TemplateCursor& cursor, bool extended) {
    DialogFont font;
    font.pointSize = cursor.Word();
    if (extended) {
        font.weight = cursor.Word();
        font.italic = cursor.Byte() != 0;
        font.charSet = cursor.Byte();
    }
    font.faceName = cursor.Text();
    return font;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::uint8_t> bytes) {
    TemplateCursor cursor{bytes};
    DialogTemplate dialog;
    dialog.extended = cursor.PeekWord(2) == kExtendedSignature;
    if (dialog.extended) {
        // The version word must say 1: no other extended layout exists.
        if (cursor.Word() != 1) {
            return std::nullopt;
        }
        cursor.Word();
        dialog.helpId = cursor.Dword();
        dialog.exStyle = cursor.Dword();
        dialog.style = cursor.Dword();
    } else {
        dialog.style = cursor.Dword();
        dialog.exStyle = cursor.Dword();
    }
    const std::uint16_t itemCount = cursor.Word();
    dialog.rect = ReadRect(cursor);
    dialog.menu = cursor.Name();
    dialog.windowClass = cursor.Name();
    dialog.title = cursor.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.font = ReadFont(cursor, dialog.extended);
    }
    for (std::uint16_t index = 0; index < itemCount && cursor.Ok(); ++index) {
        dialog.items.push_back(ReadItem(cursor, dialog.extended));
    }
    if (!cursor.Ok()) {
        return std::nullopt;
    }
    return dialog;
}

std::u16string ItemClassName(const TemplateName& windowClass) {
    if (!windowClass.isOrdinal) {
        return windowClass.text;
    }
    static constexpr std::array<const char16_t*, 6> kPredefined{
        u"Button", u"Edit", u"Static", u"ListBox", u"ScrollBar", u"ComboBox"};
    const unsigned index = windowClass.ordinal - 0x80u;
    return index < kPredefined.size() ? kPredefined[index] : std::u16string{};
}

}  // namespace platform::user
