// Writes classic dialog templates in memory, for the cases a resource script cannot
// express: creation data, unknown classes, controls the tests pick per case.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessalink::test {

class TemplateWriter {
  public:
    TemplateWriter(DWORD style, std::uint16_t itemCount, std::int16_t cx, std::int16_t cy) {
        Dword(style);
        Dword(0);
        Word(itemCount);
        for (const std::int16_t field : {std::int16_t{0}, std::int16_t{0}, cx, cy}) {
            Word(static_cast<std::uint16_t>(field));
        }
        Word(0);  // no menu
        Word(0);  // the dialog class
        Word(0);  // no title
    }

    TemplateWriter& Item(DWORD style, std::uint16_t id, const std::u16string& className,
                         const std::u16string& title,
                         const std::vector<std::uint8_t>& creationData = {}) {
        while (bytes_.size() % 4) {
            bytes_.push_back(0);
        }
        Dword(style);
        Dword(0);
        for (const std::uint16_t field : {1, 2, 30, 10}) {
            Word(field);
        }
        Word(id);
        Text(className);
        Text(title);
        Word(static_cast<std::uint16_t>(creationData.size()));
        bytes_.insert(bytes_.end(), creationData.begin(), creationData.end());
        return *this;
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    // The template as the Win32 functions take it; the writer must outlive its use.
    LPCDLGTEMPLATEW Template() const { return reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()); }

  private:
    void Word(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Dword(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Text(const std::u16string& text) {
        for (const char16_t unit : text) {
            Word(unit);
        }
        Word(0);
    }

    std::vector<std::uint8_t> bytes_;
};

}  // namespace tessalink::test
