// Text pictures and the bitmap and icon files made from them: faulty pictures are
// refused with the file and line named, and the files hold the pixels where a reader
// of device-independent bitmaps looks for them.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "dib_files.h"
#include "pixel_art.h"

namespace {

using tools::pixel_art::Picture;

class PixelArtTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove(file_); }

    Picture Read(const std::string& text) {
        std::ofstream(file_) << text;
        return tools::pixel_art::ReadPicture(file_);
    }

    // The message of the error reading `text` raises, or "" when it reads.
    std::string ErrorOf(const std::string& text) {
        try {
            Read(text);
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "";
    }

    std::filesystem::path file_ = std::filesystem::temp_directory_path() /
                                  ("pixel_art_test_" + std::to_string(::getpid()) + ".txt");
};

std::uint32_t Dword(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

TEST_F(PixelArtTest, FaultyPicturesNameTheirFileAndLine) {
    EXPECT_NE(ErrorOf("palette\n. ffffff\npixels\n..\n...\n").find(".txt:5: row is 3 pixels"),
              std::string::npos);
    EXPECT_NE(ErrorOf("palette\n. ffffff\npixels\n.x\n").find(":4: character 'x'"),
              std::string::npos);
    EXPECT_NE(ErrorOf("palette\n. fffff\n").find(":2: colour must be"), std::string::npos);
    EXPECT_NE(ErrorOf("..\n").find(":1: expected 'palette'"), std::string::npos);
    EXPECT_NE(ErrorOf("# nothing\npalette\n. ffffff\n").find("no pixels"), std::string::npos);
    EXPECT_EQ(ErrorOf("# fine\npalette\n. ffffff\n\npixels\n  ..  \n"), "");
}

TEST_F(PixelArtTest, BitmapRowsRunBottomUpPackedAndPadded) {
    // Three pixels wide: at 4 bits a row is two bytes of pixels padded to four.
    const Picture picture = Read("palette\nr ff0000\nb 0000ff\npixels\nrbr\nbbb\n");
    const auto file = tools::pixel_art::BitmapFile(picture, 4);
    ASSERT_EQ(file.size(), 14u + 40u + 16u * 4u + 2u * 4u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(Dword(file, 2), file.size());
    const std::uint32_t pixels = Dword(file, 10);
    EXPECT_EQ(pixels, 14u + 40u + 64u);
    EXPECT_EQ(Dword(file, 14 + 4), 3u);  // width
    EXPECT_EQ(Dword(file, 14 + 8), 2u);  // height, positive: bottom-up
    // Palette entries are blue, green, red, 0: red first, as it appears first.
    EXPECT_EQ(Dword(file, 54), 0x00FF0000u);
    EXPECT_EQ(Dword(file, 58), 0x000000FFu);
    EXPECT_EQ(file[pixels], 0x11) << "bottom row first: blue, blue";
    EXPECT_EQ(file[pixels + 1], 0x10);
    EXPECT_EQ(file[pixels + 4], 0x01) << "then the top row: red, blue";
    EXPECT_EQ(file[pixels + 5], 0x00);
    EXPECT_THROW(tools::pixel_art::BitmapFile(picture, 2), std::runtime_error)
        << "a bitmap has 1, 4 or 8 bits per pixel";
}

TEST_F(PixelArtTest, TooManyColoursOrTransparencyAreRefusedForBitmaps) {
    const Picture three = Read("palette\nr ff0000\ng 00ff00\nb 0000ff\npixels\nrgb\n");
    EXPECT_THROW(tools::pixel_art::BitmapFile(three, 1), std::runtime_error);
    EXPECT_NO_THROW(tools::pixel_art::BitmapFile(three, 4));
    const Picture holed = Read("palette\nr ff0000\nt transparent\npixels\nrt\n");
    EXPECT_THROW(tools::pixel_art::BitmapFile(holed, 4), std::runtime_error);
}

TEST_F(PixelArtTest, IconMasksTransparentPixelsOverBlack) {
    const Picture picture = Read("palette\nr ff0000\nt transparent\npixels\ntr\nrr\n");
    const auto file = tools::pixel_art::IconFile({picture});
    EXPECT_EQ(file[4], 1) << "one image";
    EXPECT_EQ(file[6], 2);
    EXPECT_EQ(file[7], 2);
    const std::uint32_t image = Dword(file, 6 + 12);
    EXPECT_EQ(Dword(file, image + 8), 4u) << "the height counts colour and mask";
    EXPECT_EQ(Dword(file, image + 40), 0u) << "entry 0 is black";
    const std::size_t colour = image + 40 + 256 * 4;
    EXPECT_EQ(file[colour + 4], 0) << "top row, transparent pixel, is entry 0";
    EXPECT_EQ(file[colour + 5], 1);
    const std::size_t mask = colour + 2 * 4;
    EXPECT_EQ(file[mask], 0x00) << "bottom row kept";
    EXPECT_EQ(file[mask + 4], 0x80) << "top row: the first pixel masked out";

    EXPECT_EQ(tools::pixel_art::JoinHorizontally({picture, picture}).width, 4);
    EXPECT_THROW(
        tools::pixel_art::JoinHorizontally({picture, Read("palette\n. ffffff\npixels\n.\n")}),
        std::runtime_error);
}

}  // namespace
