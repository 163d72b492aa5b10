// corvale_paint_icon OUT.ico [--preview PREVIEW.bmp]
// Paints the program icon at every size; optionally also an enlarged preview.
#include <cstdio>
#include <exception>
#include <string>

#include "bmp_writer.h"
#include "ico_writer.h"
#include "icon_painter.h"
#include "preview.h"

int main(int argc, char** argv) {
    using namespace corvale::art;
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: %s OUT.ico [--preview PREVIEW.bmp]\n", argv[0]);
        return 2;
    }
    try {
        std::vector<RgbaImage> images;
        for (int size : iconSizes) images.push_back(paintIcon(size));
        writeFile(argv[1], encodeIco(images));
        if (argc == 4) {
            images.pop_back();  // the 256 px image is shown at its own size
            std::vector<RgbaImage> large{paintIcon(256)};
            Image small = iconPreview(images, 4), big = iconPreview(large, 1);
            Image both(small.width > big.width ? small.width : big.width, small.height + big.height, white);
            for (int y = 0; y < small.height; ++y)
                for (int x = 0; x < small.width; ++x) both.at(x, y) = small.at(x, y);
            for (int y = 0; y < big.height; ++y)
                for (int x = 0; x < big.width; ++x) both.at(x, small.height + y) = big.at(x, y);
            writeFile(argv[3], encodeBmp24(both));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
