// The home screen and the overlays as a person sees them: icons that differ, the dock and the
// page dots, overlay panels that stand out over a pale app.
#include <gtest/gtest.h>

#include <cmath>

#include "PictureProbe.h"
#include "RenderWorld.h"
#include "Scenes.h"
#include "render/ScreenModel.h"
#include "render/ScreenRenderer.h"
#include "services/HomeScreenLayout.h"

using render_testing::PictureProbe;
using render_testing::RenderWorld;
using Layout = services::HomeScreenLayout;

namespace {

// The icon's colour just inside its lower edge, clear of the letters.
render::Pixel iconColour(const PictureProbe& probe, const ui::Rect& icon) {
    return probe.at(icon.minX() + 10, icon.maxY() - 4);
}

double distance(const render::Pixel& a, const render::Pixel& b) {
    return std::hypot(a.red - b.red, a.green - b.green, a.blue - b.blue);
}

}  // namespace

TEST(HomeScreenPicture, AppsSideBySideHaveClearlyDifferentColours) {
    RenderWorld world;
    render::ScreenState state;
    state.installedApps = {"com.example.maps", "com.example.music", "com.example.mail",
                           "com.example.books", "com.example.notes", "com.example.news"};
    const auto picture = render::ScreenRenderer().render(state);
    const PictureProbe probe(picture);
    const auto maps = iconColour(probe, *Layout::iconFrame(0, false));
    const auto music = iconColour(probe, *Layout::iconFrame(1, false));
    EXPECT_GT(distance(maps, music), 120);
    for (std::size_t i = 0; i < state.installedApps.size(); ++i) {
        for (std::size_t j = i + 1; j < state.installedApps.size(); ++j) {
            EXPECT_GT(distance(iconColour(probe, *Layout::iconFrame(i, false)),
                               iconColour(probe, *Layout::iconFrame(j, false))),
                      60)
                << state.installedApps[i] << " " << state.installedApps[j];
        }
    }
}

TEST(HomeScreenPicture, TheDockHoldsFourAppsAndThePageDotShows) {
    RenderWorld world;
    render::ScreenState state = render_testing::homeScreen();
    for (bool rightToLeft : {false, true}) {
        state.rightToLeft = rightToLeft;
        const auto picture = render::ScreenRenderer().render(state);
        const PictureProbe probe(picture);
        const ui::Rect dock = Layout::dockFrame();
        const render::Pixel platter = probe.at(dock.minX() + 4, dock.midY());
        for (std::size_t i = 0; i < Layout::kDockIcons; ++i) {
            const ui::Rect icon = Layout::dockIconFrame(i, rightToLeft);
            EXPECT_GT(distance(iconColour(probe, icon), platter), 40) << i;
            if (i > 0) {
                EXPECT_GT(distance(iconColour(probe, icon),
                                   iconColour(probe, Layout::dockIconFrame(i - 1, rightToLeft))),
                          60)
                    << i;
            }
        }
        // One page: one white dot in the middle above the dock.
        EXPECT_GT(probe.at(render::ScreenModel::kWidth / 2, Layout::kPageDotsY).luma(), 240);
        EXPECT_LT(probe.at(render::ScreenModel::kWidth / 2 + 16, Layout::kPageDotsY).luma(), 200);
    }
}

// Over the pale screen of an app the panel's rim still parts it from the app.
TEST(HomeScreenPicture, AnOverlayStandsOutOverAPaleApp) {
    RenderWorld world;
    render::ScreenState state = render_testing::homeScreen();
    state.frontApp = "com.example.maps";
    state.volumeOverlayShowing = true;
    const auto picture = render::ScreenRenderer().render(state);
    const PictureProbe probe(picture);
    const double left = render::ScreenModel::kWidth / 2 - 155.0 / 2;
    const double middle = render::ScreenModel::kHeight / 2 + 30;
    const double inside = probe.meanLuma(ui::Rect(left + 3, middle, 3, 3));
    const double outside = probe.meanLuma(ui::Rect(left - 12, middle, 3, 3));
    const double rim = probe.meanLuma(ui::Rect(left - 0.5, middle, 1, 3));
    EXPECT_GT(inside, 230);
    EXPECT_GT(outside, 200);
    EXPECT_LT(rim, std::min(inside, outside) - 25);
}
