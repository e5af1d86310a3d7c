// Templates as llvm-rc writes them, read back where no dialog the tests make shows the
// fields (the extended layout), and malformed ones refused without reading past their end.
// The classic layout's fields show in the dialogs dialog_creation_test makes.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "kernel/resources/resources.h"
#include "user/dialog/dialog_template.h"

namespace {

using platform::user::ItemClassName;
using platform::user::ParseDialogTemplate;

std::vector<std::uint8_t> ResourceBytes(int id) {
    const auto bytes =
        platform::kernel::FindResourceBytes(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end())
                 : std::vector<std::uint8_t>{};
}

// What the extended layout holds or orders differently from the classic one.
TEST(DialogTemplateTest, ExtendedTemplateKeepsFontDetailsHelpIdsAndAtomClasses) {
    const auto parsed = ParseDialogTemplate(ResourceBytes(101));
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->extended);
    EXPECT_EQ(parsed->exStyle, static_cast<DWORD>(WS_EX_CAPTIONOKBTN));
    EXPECT_EQ(parsed->title, u"About");
    ASSERT_TRUE(parsed->font);
    EXPECT_EQ(parsed->font->weight, 700);
    EXPECT_TRUE(parsed->font->italic);
    EXPECT_EQ(parsed->font->charSet, 2);
    EXPECT_EQ(parsed->font->faceName, u"MS Sans Serif");

    ASSERT_EQ(parsed->items.size(), 4u);
    const auto& icon = parsed->items[0];
    EXPECT_EQ(icon.id, 0xFFFFFFFFu) << "an extended template's ids are 32-bit";
    EXPECT_TRUE(icon.title.isOrdinal);
    EXPECT_EQ(icon.title.ordinal, 128);
    const auto& edit = parsed->items[2];
    EXPECT_EQ(ItemClassName(edit.windowClass), u"Edit") << "named by its atom";
    EXPECT_EQ(edit.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(edit.helpId, 77u);
    EXPECT_EQ(edit.id, 1021u);
}

TEST(DialogTemplateTest, EveryTruncationAndAnUnknownVersionAreRefused) {
    for (const int id : {100, 101, 102}) {
        const auto whole = ResourceBytes(id);
        ASSERT_TRUE(ParseDialogTemplate(whole));
        // Only the padding after the last control may go missing. Each prefix is an
        // allocation of its own, so a read past its end is caught.
        for (std::size_t size = 0; size + 3 < whole.size(); ++size) {
            const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + size);
            EXPECT_FALSE(ParseDialogTemplate(prefix)) << "template " << id << " cut at " << size;
        }
    }
    auto bytes = ResourceBytes(101);
    bytes[0] = 2;  // an extended version that does not exist
    EXPECT_FALSE(ParseDialogTemplate(bytes));
}

}  // namespace
