// Redraws the reference pictures of the renderer's fixed scenes into a directory (the
// `render_references` target writes them into tests/render/references). Run it after a look
// changed on purpose, then look at the pictures before committing them.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "Scenes.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::string_view(argv[1]) == "--help") {
        std::fprintf(stderr, "usage: make_render_references DIRECTORY\n");
        return argc == 2 ? 0 : 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        for (const auto& scene : render_testing::referenceScenes()) {
            const auto path = std::filesystem::path(argv[1]) / (scene.name + ".png");
            scene.draw().writePng(path);
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_render_references: %s\n", error.what());
        return 1;
    }
    return 0;
}
