// corvale_paint_atlas OUT.bmp [--preview SCALE PREVIEW.bmp]
// Paints the sprite atlas; optionally also an enlarged preview.
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "atlas_painter.h"
#include "bmp_writer.h"
#include "preview.h"

int main(int argc, char** argv) {
    using namespace corvale::art;
    if (argc != 2 && !(argc == 5 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: %s OUT.bmp [--preview SCALE PREVIEW.bmp]\n", argv[0]);
        return 2;
    }
    try {
        Image atlas = paintAtlas();
        writeFile(argv[1], encodeBmp24(atlas));
        if (argc == 5) {
            int scale = std::stoi(argv[3]);
            if (scale < 1 || scale > 16) throw std::runtime_error("The preview scale must be 1 to 16.");
            writeFile(argv[4], encodeBmp24(atlasPreview(atlas, scale)));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
