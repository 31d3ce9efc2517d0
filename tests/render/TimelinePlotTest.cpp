// The timeline read back and plotted: levels, glides, switches, overlays and app spans.
#include <gtest/gtest.h>

#include "PictureProbe.h"
#include "Scenes.h"
#include "render/TimelineEvents.h"
#include "render/TimelinePlot.h"

using render::TimelineEvents;

TEST(TimelineEvents, ReadsLevelsSwitchesOverlaysAndAppSpans) {
    const TimelineEvents events = TimelineEvents::read(render_testing::sampleTimeline());
    ASSERT_FALSE(events.levelChanges().empty());
    const auto& volume = events.levelChanges()[0];
    EXPECT_EQ(volume.level, TimelineEvents::Level::Volume);
    EXPECT_DOUBLE_EQ(volume.before, 0.5);
    EXPECT_DOUBLE_EQ(volume.after, 0.2);
    EXPECT_TRUE(volume.overlayShown);
    EXPECT_FALSE(events.levelChanges()[1].overlayShown);

    ASSERT_EQ(events.switchChanges().size(), 2u);
    EXPECT_EQ(events.switchChanges()[0].which, device::Switch::Wifi);
    EXPECT_EQ(events.switchChanges()[0].after, device::SwitchState::Off);

    ASSERT_EQ(events.appSpans().size(), 2u);
    EXPECT_EQ(events.appSpans()[0].bundleIdentifier, "com.example.maps");
    EXPECT_DOUBLE_EQ(events.appSpans()[0].start, 1.0);
    EXPECT_EQ(events.appSpans()[0].end, 6.0);
    EXPECT_FALSE(events.appSpans()[1].end);
    EXPECT_EQ(events.frontApp(), "com.example.mail");
}

TEST(TimelineEvents, SkipsEntriesItCannotReadWithoutFailing) {
    device::Timeline timeline;
    const auto someone = device::Actor::service("x");
    for (const char* text :
         {"", "volume", "volume → ", "volume abc → 0.3 (x)", "wifi on → maybe (x)",
          "haptic tap, light (x)", "nonsense: running, foreground (x)"})
        timeline.record({0.5, someone, text});
    const TimelineEvents events = TimelineEvents::read(timeline);
    EXPECT_TRUE(events.levelChanges().empty());
    EXPECT_TRUE(events.switchChanges().empty());
    EXPECT_TRUE(events.appSpans().empty());  // only the home screen reports apps
    render::TimelinePlot::render({timeline, 2, 0.5, 0.5, {}});
}

TEST(TimelinePlot, AGlideIsASlopeAndAJumpIsAStep) {
    const auto picture =
        render::TimelinePlot::render({render_testing::sampleTimeline(), 10, 0.5, 0.5, {}});
    render_testing::PictureProbe probe(picture);
    // The plot's level axis: 0…1 over 260 points from y 46; time 0…10 s over 1020 points from x
    // 150.
    auto x = [](double t) { return 150 + t / 10 * 1020; };
    auto y = [](double level) { return 46 + (1 - level) * 260; };
    auto orange = [](const render::Pixel& p) {
        return p.red > 200 && p.green > 100 && p.green < 190 && p.blue < 80;
    };
    auto blue = [](const render::Pixel& p) { return p.blue > 200 && p.red < 60; };
    // Within a dash's length of the time (the volume is dashed).
    auto columnHas = [&](double time, auto colour, double level) {
        for (double dx = -5; dx <= 5; dx += 0.5)
            for (double dy = -3; dy <= 3; dy += 0.5)
                if (colour(probe.at(x(time) + dx, y(level) + dy))) return true;
        return false;
    };
    // Mid-glide (the brightness rises 0.02 every 0.05 s from 1.2 s) the line is between the ends.
    EXPECT_TRUE(columnHas(1.2 + 10 * 0.05, orange, 0.7));
    EXPECT_FALSE(columnHas(1.2 + 10 * 0.05, orange, 0.9));
    EXPECT_TRUE(columnHas(4, orange, 0.9));
    // The volume jumps at 1.3 s and stays until 6.3 s.
    EXPECT_TRUE(columnHas(1.0, blue, 0.5));
    EXPECT_TRUE(columnHas(3.0, blue, 0.2));
    EXPECT_TRUE(columnHas(8.0, blue, 0.5));
}

TEST(TimelinePlot, EachSwitchAndAppThatChangedHasARow) {
    const TimelineEvents events = TimelineEvents::read(render_testing::sampleTimeline());
    const double rows = render::TimelinePlot::heightFor(events);
    const double noRows = render::TimelinePlot::heightFor(TimelineEvents::read({}));
    EXPECT_DOUBLE_EQ(rows - noRows, 3 * 26);  // wifi, Maps, Mail
    const auto empty = render::TimelinePlot::render({{}, 0, 0.3, 0.8, {}});
    EXPECT_EQ(empty.pixelHeight(), static_cast<int>(noRows * render::TimelinePlot::kScale));
    EXPECT_EQ(empty.pixelWidth(), 2 * render::TimelinePlot::kWidth);  // 2 pixels a point
}

// Where the volume and the brightness are equal, both lines show; a short visit keeps its
// label.
TEST(TimelinePlot, EqualLevelsBothShowAndAShortVisitKeepsItsLabel) {
    device::Timeline timeline;
    const auto home = device::Actor::service("home screen");
    timeline.record({100, home, "com.example.maps: running, foreground"});
    timeline.record({101, home, "com.example.maps: running, background"});
    const auto picture = render::TimelinePlot::render({timeline, 300, 0.5, 0.5, {}});
    const render_testing::PictureProbe probe(picture);
    const ui::Rect level(150, 46 + 130 - 3, 1020, 6);  // the 50 % line
    const auto count = [&](const ui::Rect& area, auto isInk) {
        int found = 0;
        for (double py = area.minY(); py < area.maxY(); py += 0.5)
            for (double px = area.minX(); px < area.maxX(); px += 0.5) found += isInk(probe.at(px, py));
        return found;
    };
    const int orange = count(level, [](const render::Pixel& p) {
        return p.red > 200 && p.green > 100 && p.green < 190 && p.blue < 80;
    });
    const int blue = count(level, [](const render::Pixel& p) { return p.blue > 200 && p.red < 60; });
    EXPECT_GT(orange, 400);
    EXPECT_GT(blue, 400);

    // The visit lasts 1 s of 300: 3.4 points of span, its label beside it in dark ink.
    const double spanEnd = 150 + 101.0 / 300 * 1020;
    const double rowTop = render::TimelinePlot::heightFor(TimelineEvents::read(timeline)) - 40 - 26;
    const int labelInk = count(ui::Rect(spanEnd + 2, rowTop + 3, 80, 20),
                               [](const render::Pixel& p) { return p.luma() < 120; });
    EXPECT_GT(labelInk, 40);
}

// The legend's swatches look like their lines: the volume's dashed, the brightness's solid.
TEST(TimelinePlot, LegendSwatchesAreDrawnLikeTheirLines) {
    const auto picture = render::TimelinePlot::render({{}, 10, 0.5, 0.5, {}});
    const render_testing::PictureProbe probe(picture);
    const auto isOrange = [](const render::Pixel& p) {
        return p.red > 200 && p.green > 100 && p.green < 190 && p.blue < 80;
    };
    const auto isBlue = [](const render::Pixel& p) { return p.blue > 200 && p.red < 60; };
    // Runs of a colour along the middle of its swatch, in the title band above the plot.
    const auto runsOf = [&](auto isInk) {
        double minX = 1e9, maxX = -1, minY = 1e9, maxY = -1;
        for (double y = 0; y < 40; y += 0.5)
            for (double x = 0; x < render::TimelinePlot::kWidth; x += 0.5)
                if (isInk(probe.at(x, y))) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
        int runs = 0;
        bool inside = false;
        for (double x = minX; x <= maxX; x += 0.5) {
            const bool ink = isInk(probe.at(x, (minY + maxY) / 2));
            if (ink && !inside) ++runs;
            inside = ink;
        }
        return runs;
    };
    EXPECT_GE(runsOf(isBlue), 2);
    EXPECT_EQ(runsOf(isOrange), 1);
}
