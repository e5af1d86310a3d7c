// pixel_art: turns text pictures into the .bmp and .ico files a resource script embeds.
//   pixel_art bitmap <bits> <out.bmp> <picture>...   pictures side by side, one strip
//   pixel_art icon <out.ico> <picture>...            one icon image per picture
// Exits 1 with a message naming the file and line when a picture is faulty, so a
// broken picture fails the build instead of producing a wrong image.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "dib_files.h"
#include "pixel_art.h"

namespace {

using tools::pixel_art::Picture;

std::vector<Picture> ReadPictures(int argc, char** argv, int first) {
    std::vector<Picture> pictures;
    for (int i = first; i < argc; ++i) {
        pictures.push_back(tools::pixel_art::ReadPicture(argv[i]));
    }
    if (pictures.empty()) {
        throw std::runtime_error("no pictures given");
    }
    return pictures;
}

void Write(const std::string& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error(file + ": cannot write");
    }
}

int Usage() {
    std::fputs(
        "usage: pixel_art bitmap <bits> <out.bmp> <picture>...\n"
        "       pixel_art icon <out.ico> <picture>...\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "bitmap" && argc > 4) {
            const Picture strip = tools::pixel_art::JoinHorizontally(ReadPictures(argc, argv, 4));
            Write(argv[3], tools::pixel_art::BitmapFile(strip, std::stoi(argv[2])));
            return 0;
        }
        if (command == "icon" && argc > 3) {
            Write(argv[2], tools::pixel_art::IconFile(ReadPictures(argc, argv, 3)));
            return 0;
        }
        return Usage();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pixel_art: %s\n", error.what());
        return 1;
    }
}
