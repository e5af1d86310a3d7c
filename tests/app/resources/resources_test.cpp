// The program's resources other than its dialogs, read back from the executable the way
// the program reads them: the names, the menu bar and its menu, the accelerators the
// frame swallows, the pictures at the sizes their users expect, and the icon.
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "gdi/memory_dc.h"
#include "resources/resource.h"
#include "shell/shell_test.h"

namespace tessalink::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

std::u16string LoadText(UINT id) {
    WCHAR text[64]{};
    LoadStringW(GetModuleHandleW(nullptr), id, text, 64);
    return text;
}

// The pixels of `bitmap` drawn at the origin of a white memory context.
void Draw(HBITMAP bitmap, const MemoryDc& dest) {
    BITMAP info{};
    ASSERT_NE(GetObjectW(bitmap, sizeof(info), &info), 0);
    HDC source = CreateCompatibleDC(dest.dc());
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(dest.dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

class ProgramResourcesTest : public ShellTest {};

TEST_F(ProgramResourcesTest, NamesAndTheExitMenu) {
    EXPECT_EQ(LoadText(IDR_MAINFRAME), u"Tessalink") << "names the mutex and the frame's class";
    EXPECT_EQ(LoadText(IDS_EXIT), u"Exit");

    const HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(ID_APP_EXIT));
    DestroyMenu(menu);
}

// The frame's own request: the layout, its strings and the About image.
TEST_F(ProgramResourcesTest, MenuBarLayoutMakesTheExitAndAboutButtons) {
    SHMENUBARINFO info{};
    ASSERT_TRUE(MakeMenuBar(CreateTopLevel(u"Frame"), IDR_MAINFRAME, info, IDB_ABOUT, 1))
        << GetLastError();
    const auto buttons = Content(info.hwndMB)["buttons"];
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]["text"], "Exit");
    EXPECT_TRUE(buttons[0]["image"].is_null());
    EXPECT_EQ(buttons[0]["command"], ID_APP_EXIT);
    EXPECT_EQ(buttons[1]["image"], 0);
    EXPECT_EQ(buttons[1]["command"], ID_APP_ABOUT);
}

TEST_F(ProgramResourcesTest, AcceleratorsTurnTheFiveKeysIntoCommands) {
    const HACCEL table =
        LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    const HWND frame = CreateTopLevel(u"Frame");
    const HWND edit = Create(kTestClass, WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, frame, 1);
    SetFocus(edit);
    PumpMessages();
    MessageLog::Instance().Clear();

    using platform::user::PostKey;
    for (const UINT letter : {'N', 'O', 'S'}) {
        PostKey(VK_CONTROL, true);
        PostKey(letter, true);
        PostKey(letter, false);
        PostKey(VK_CONTROL, false);
    }
    PostKey(VK_F6, true);
    PostKey(VK_F6, false);
    PostKey(VK_SHIFT, true);
    PostKey(VK_F6, true);
    PostKey(VK_F6, false);
    PostKey(VK_SHIFT, false);
    // Without Ctrl a letter is typing, not a command.
    PostKey('N', true);
    PostKey('N', false);
    PumpMessages(frame, table);
    EXPECT_EQ(CommandsFor(frame), (std::vector<WORD>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,
                                                     ID_NEXT_PANE, ID_PREV_PANE}));
    DestroyAcceleratorTable(table);
}

// The pictures a page or the bar shows as they are: 16 x 16, drawn on white.
TEST_F(ProgramResourcesTest, PicturesAreSixteenPixelsSquare) {
    for (const int id :
         {IDB_ABOUT, IDB_NETWORK_CARD, IDB_NETWORK_LINE, IDB_THREE_COMPUTERS, IDB_TWO_COMPUTERS}) {
        SCOPED_TRACE(id);
        const HBITMAP picture = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        ASSERT_NE(picture, nullptr);
        BITMAP info{};
        GetObjectW(picture, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 16);
        EXPECT_EQ(info.bmHeight, 16);
        MemoryDc dest(16, 16);
        Draw(picture, dest);
        DeleteObject(picture);
        if (id != IDB_ABOUT) {
            EXPECT_GT(dest.Ink(RECT{0, 0, 16, 16}, kWhite).size(), 20u);
            continue;
        }
        // The bar copies its image as it is, so the background is the button face.
        EXPECT_EQ(info.bmBitsPixel, 4);
        EXPECT_EQ(dest.Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(dest.Pixel(15, 15), GetSysColor(COLOR_BTNFACE));
        EXPECT_NE(dest.Pixel(8, 8), GetSysColor(COLOR_BTNFACE));
    }
}

TEST_F(ProgramResourcesTest, SettingsStripHoldsTwelveImagesTheFirstBlank) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HIMAGELIST images =
        ImageList_LoadImage(module, MAKEINTRESOURCEW(IDB_SETTINGS), 16, 1, kWhite, IMAGE_BITMAP, 0);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), SETTINGS_IMAGE_COUNT);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    ImageList_Destroy(images);

    const HBITMAP strip = LoadBitmapW(module, MAKEINTRESOURCEW(IDB_SETTINGS));
    ASSERT_NE(strip, nullptr);
    MemoryDc dest(16 * SETTINGS_IMAGE_COUNT, 16);
    Draw(strip, dest);
    DeleteObject(strip);
    const auto inkOf = [&](int image) {
        return dest.Ink(RECT{image * 16, 0, image * 16 + 16, 16}, kWhite).size();
    };
    EXPECT_EQ(inkOf(IMAGE_SETTING_NONE), 0u) << "rows without a picture show white";
    for (const int image :
         {IMAGE_SETTING_HANDHELD, IMAGE_SETTING_NETWORK_LINE, IMAGE_SETTING_TWO_COMPUTERS,
          IMAGE_SETTING_GLOBE, IMAGE_SETTING_THREE_COMPUTERS}) {
        EXPECT_GT(inkOf(image), 20u) << "image " << image;
        // White is the mask colour: a white border keeps neighbours apart in the list.
        EXPECT_EQ(dest.Pixel(image * 16 + 15, 15), kWhite) << "image " << image;
    }
}

TEST_F(ProgramResourcesTest, IconHasSmallAndLargeImagesWithATransparentCorner) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDI_TESSALINK), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    // The group directory: a 6-byte header, then 14 bytes per image (width, height,
    // colour count, reserved, planes, bits per pixel, size, id).
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    ASSERT_EQ(SizeofResource(module, group), 6u + 2u * 14u);
    std::vector<int> sizes;
    for (int i = 0; i < 2; ++i) {
        const BYTE* entry = directory + 6 + i * 14;
        EXPECT_EQ(entry[0], entry[1]) << "square";
        EXPECT_EQ(entry[6] | (entry[7] << 8), 8) << "bits per pixel";
        sizes.push_back(entry[0]);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32}));

    for (const int size : {16, 32}) {
        const auto icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(IDI_TESSALINK), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        MemoryDc dest(size, size);
        const RECT all{0, 0, size, size};
        HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        FillRect(dest.dc(), &all, green);
        DeleteObject(green);
        ASSERT_TRUE(DrawIconEx(dest.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(dest.Pixel(size - 1, size - 1), RGB(0, 255, 0)) << size;
        EXPECT_NE(dest.Pixel(size / 2, size / 2), RGB(0, 255, 0)) << size;
        DestroyIcon(icon);
    }
}

}  // namespace
}  // namespace tessalink::test
