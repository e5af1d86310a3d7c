// Templates as llvm-rc writes them, read back field by field, and malformed ones refused
// without reading past their end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "kernel/resources/resources.h"
#include "template_writer.h"
#include "user/dialog/dialog_template.h"

namespace {

using platform::user::DialogTemplate;
using platform::user::ParseDialogTemplate;

std::vector<std::uint8_t> ResourceBytes(int id) {
    const auto bytes =
        platform::kernel::FindResourceBytes(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end())
                 : std::vector<std::uint8_t>{};
}

TEST(DialogTemplateTest, ClassicTemplateKeepsStylesFontAndControlsInOrder) {
    const auto parsed = ParseDialogTemplate(ResourceBytes(100));
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->extended);
    EXPECT_EQ(parsed->style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | DS_SETFONT));
    EXPECT_EQ(parsed->rect.cx, 156);
    EXPECT_EQ(parsed->rect.cy, 150);
    ASSERT_TRUE(parsed->font);
    EXPECT_EQ(parsed->font->pointSize, 8);
    EXPECT_EQ(parsed->font->faceName, u"MS Sans Serif");
    EXPECT_EQ(parsed->font->weight, FW_NORMAL);
    EXPECT_TRUE(parsed->windowClass.IsEmpty());
    EXPECT_TRUE(parsed->title.empty());

    ASSERT_EQ(parsed->items.size(), 7u);
    const auto& label = parsed->items[0];
    EXPECT_EQ(label.id, 0xFFFFu) << "a classic template's -1 is the 16-bit 65535";
    EXPECT_EQ(platform::user::ItemClassName(label.windowClass), u"TestStatic");
    EXPECT_EQ(label.title.text, u"Name");
    EXPECT_EQ(label.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_GROUP));
    const auto& ok = parsed->items[5];
    EXPECT_EQ(ok.id, static_cast<DWORD>(IDOK));
    EXPECT_EQ(ok.style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ok.rect.x, 5);
    EXPECT_EQ(ok.rect.y, 130);
    EXPECT_EQ(ok.rect.cx, 50);
    EXPECT_EQ(ok.rect.cy, 14);
    EXPECT_EQ(parsed->items[6].title.text, u"Cancel");
    EXPECT_TRUE(parsed->items[6].creationData.empty());
}

TEST(DialogTemplateTest, ExtendedTemplateKeepsFontDetailsHelpIdsAndAtomClasses) {
    const auto parsed = ParseDialogTemplate(ResourceBytes(101));
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->extended);
    // The compiler adds WS_CAPTION for a CAPTION statement.
    EXPECT_EQ(parsed->style, static_cast<DWORD>(WS_POPUP | DS_SETFONT | WS_CAPTION));
    EXPECT_EQ(parsed->exStyle, static_cast<DWORD>(WS_EX_CAPTIONOKBTN));
    EXPECT_EQ(parsed->rect.x, 3);
    EXPECT_EQ(parsed->rect.y, 4);
    EXPECT_EQ(parsed->rect.cy, 151);
    EXPECT_EQ(parsed->title, u"About");
    ASSERT_TRUE(parsed->font);
    EXPECT_EQ(parsed->font->weight, 700);
    EXPECT_TRUE(parsed->font->italic);
    EXPECT_EQ(parsed->font->charSet, 2);
    EXPECT_EQ(parsed->font->faceName, u"MS Sans Serif");

    ASSERT_EQ(parsed->items.size(), 4u);
    const auto& icon = parsed->items[0];
    EXPECT_EQ(icon.id, 0xFFFFFFFFu) << "an extended template's ids are 32-bit";
    EXPECT_EQ(platform::user::ItemClassName(icon.windowClass), u"Static");
    EXPECT_TRUE(icon.title.isOrdinal);
    EXPECT_EQ(icon.title.ordinal, 128);
    EXPECT_EQ(parsed->items[1].style & 0x80u, 0x80u);
    const auto& edit = parsed->items[2];
    EXPECT_EQ(platform::user::ItemClassName(edit.windowClass), u"Edit");
    EXPECT_EQ(edit.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(edit.helpId, 77u);
    EXPECT_EQ(edit.id, 1021u);
    EXPECT_EQ(platform::user::ItemClassName(parsed->items[3].windowClass), u"Button");
}

TEST(DialogTemplateTest, EveryTruncationIsRefused) {
    for (const int id : {100, 101, 102}) {
        const auto whole = ResourceBytes(id);
        ASSERT_TRUE(ParseDialogTemplate(whole));
        // Each prefix is an allocation of its own, so a read past its end is caught.
        std::size_t shortestAccepted = whole.size();
        for (std::size_t size = 0; size < whole.size(); ++size) {
            const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + size);
            if (ParseDialogTemplate(prefix)) {
                shortestAccepted = size;
                break;
            }
        }
        // Only the padding after the last control may go missing.
        EXPECT_GE(shortestAccepted + 3, whole.size()) << "template " << id;
    }
}

TEST(DialogTemplateTest, CreationDataKeepsItsSizeWordAndTheNextItemIsAligned) {
    // Three bytes of creation data, so the second control starts after padding.
    tessalink::test::TemplateWriter writer{WS_CHILD, 2, 100, 50};
    writer.Item(WS_CHILD, 7, u"Static", u"a", {0xAA, 0xBB, 0xCC});
    writer.Item(WS_CHILD, 8, u"Static", u"x");
    const auto parsed = ParseDialogTemplate(writer.Bytes());
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->items.size(), 2u);
    EXPECT_THAT(parsed->items[0].creationData, ::testing::ElementsAre(3, 0, 0xAA, 0xBB, 0xCC));
    EXPECT_EQ(parsed->items[1].id, 8u);
    EXPECT_EQ(parsed->items[1].title.text, u"x");
    EXPECT_TRUE(parsed->items[1].creationData.empty());
}

TEST(DialogTemplateTest, MalformedFieldsAreRefused) {
    auto bytes = ResourceBytes(101);
    ASSERT_GE(bytes.size(), 2u);
    bytes[0] = 2;  // an extended version that does not exist
    EXPECT_FALSE(ParseDialogTemplate(bytes));

    // A title whose terminator is missing: every byte after the header is text.
    auto unterminated = ResourceBytes(100);
    std::fill(unterminated.begin() + 22, unterminated.end(), 0x41);
    EXPECT_FALSE(ParseDialogTemplate(unterminated));
}

}  // namespace
