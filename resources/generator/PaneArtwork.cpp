// make_pane_artwork: draws the settings pane's images into MorvanePrefs.bundle: the product
// icon shown in the navigation bar (icon_transparent.png), the page header (header.png) and
// the icon of the Settings app's list (MorvanePrefs.png, MorvanePrefs@2x.png).

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr double kAccentRed = 0.82;
constexpr double kAccentGreen = 0.349;
constexpr double kAccentBlue = 0.243;

// The product mark in a unit square: a speaker with two sound waves and a small sun.
void drawMark(cairo_t* cr) {
    cairo_move_to(cr, 0.14, 0.40);
    cairo_line_to(cr, 0.28, 0.40);
    cairo_line_to(cr, 0.46, 0.24);
    cairo_line_to(cr, 0.46, 0.76);
    cairo_line_to(cr, 0.28, 0.60);
    cairo_line_to(cr, 0.14, 0.60);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.06);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const double radius : {0.14, 0.26}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0.50, 0.50, radius, -0.9, 0.9);
        cairo_stroke(cr);
    }
    cairo_arc(cr, 0.84, 0.20, 0.07, 0, 2 * M_PI);
    cairo_fill(cr);
}

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void save(cairo_surface_t* surface, const std::filesystem::path& path) {
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("could not write " + path.string());
    std::cout << path.string() << '\n';
}

void drawIcon(const std::filesystem::path& path, int pixels) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, pixels, pixels);
    cairo_set_source_rgb(cr, 1, 1, 1);
    drawMark(cr);
    cairo_destroy(cr);
    save(surface, path);
    cairo_surface_destroy(surface);
}

void drawListIcon(const std::filesystem::path& path, int pixels) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, pixels, pixels);
    roundedRectangle(cr, 0, 0, 1, 1, 0.22);
    cairo_set_source_rgb(cr, kAccentRed, kAccentGreen, kAccentBlue);
    cairo_fill(cr);
    cairo_translate(cr, 0.15, 0.15);
    cairo_scale(cr, 0.7, 0.7);
    cairo_set_source_rgb(cr, 1, 1, 1);
    drawMark(cr);
    cairo_destroy(cr);
    save(surface, path);
    cairo_surface_destroy(surface);
}

void drawHeader(const std::filesystem::path& path) {
    constexpr int kWidth = 600;
    constexpr int kHeight = 240;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, 0, kWidth, kHeight);
    cairo_pattern_add_color_stop_rgb(ground, 0, kAccentRed, kAccentGreen, kAccentBlue);
    cairo_pattern_add_color_stop_rgb(ground, 1, 0.55, 0.18, 0.12);
    roundedRectangle(cr, 0, 0, kWidth, kHeight, 28);
    cairo_set_source(cr, ground);
    cairo_fill(cr);
    cairo_pattern_destroy(ground);
    cairo_save(cr);
    cairo_translate(cr, (kWidth - 160) / 2.0, (kHeight - 160) / 2.0);
    cairo_scale(cr, 160, 160);
    cairo_set_source_rgb(cr, 1, 1, 1);
    drawMark(cr);
    cairo_restore(cr);
    cairo_destroy(cr);
    save(surface, path);
    cairo_surface_destroy(surface);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << "usage: make_pane_artwork OUTPUT_DIR\n"
                     "Draws icon_transparent.png, header.png and MorvanePrefs(@2x).png.\n";
        return 0;
    }
    if (argc != 2 || std::string_view(argv[1]).empty() || argv[1][0] == '-') {
        std::cerr << "usage: make_pane_artwork OUTPUT_DIR\n";
        return 2;
    }
    try {
        const std::filesystem::path directory(argv[1]);
        std::filesystem::create_directories(directory);
        drawIcon(directory / "icon_transparent.png", 60);
        drawHeader(directory / "header.png");
        drawListIcon(directory / "MorvanePrefs.png", 29);
        drawListIcon(directory / "MorvanePrefs@2x.png", 58);
    } catch (const std::exception& error) {
        std::cerr << "make_pane_artwork: " << error.what() << '\n';
        cairo_debug_reset_static_data();
        return 1;
    }
    cairo_debug_reset_static_data();
    return 0;
}
