// The view-tree renderer, by the pixels it draws: where text, thumbs and images land, how a
// right-to-left interface mirrors, and that broken input still gives a picture.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PictureProbe.h"
#include "RenderWorld.h"
#include "Scenes.h"
#include "render/SliderPainter.h"
#include "render/ViewRenderer.h"
#include "rt/Make.h"
#include "support/TemporaryDirectory.h"
#include "ui/Button.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Slider.h"
#include "ui/StackView.h"

using render_testing::anyInk;
using render_testing::PictureProbe;
using render_testing::RenderWorld;
using ui::Color;
using ui::Rect;

namespace {

constexpr double kScale = 2;

rt::Ref<ui::View> canvas(double width = 320, double height = 120) {
    return rt::make<ui::View>(Rect(0, 0, width, height));
}

rt::Ref<ui::Label> addLabel(ui::View& parent, const Rect& frame, const std::string& text,
                            ui::TextAlignment alignment) {
    auto label = rt::make<ui::Label>(frame);
    label->setText(text);
    label->setTextAlignment(alignment);
    parent.addSubview(label.get());
    return label;
}

bool inside(const ui::Rect& inner, const ui::Rect& outer) {
    return inner.minX() >= outer.minX() && inner.maxX() <= outer.maxX() &&
           inner.minY() >= outer.minY() && inner.maxY() <= outer.maxY();
}

device::DeviceConfiguration rightToLeftPhone() {
    device::DeviceConfiguration configuration;
    configuration.layoutDirection = device::LayoutDirection::RightToLeft;
    configuration.localeIdentifier = "ar";
    return configuration;
}

}  // namespace

TEST(ViewRendererLabels, InkLiesInsideTheLabelsFrameForEveryAlignmentAndLength) {
    RenderWorld world;
    const Rect frame(40, 30, 200, 40);
    for (auto alignment : {ui::TextAlignment::Left, ui::TextAlignment::Center,
                           ui::TextAlignment::Right, ui::TextAlignment::Natural}) {
        for (const std::string text :
             {"Volume", "A rather long title that cannot fit into the label's width at all",
              "مستوى الصوت"}) {
            SCOPED_TRACE(text);
            auto root = canvas();
            addLabel(*root, frame, text, alignment);
            const auto picture = render::ViewRenderer().render(root.get(), kScale);
            const auto ink = PictureProbe(picture).inkBox(anyInk);
            ASSERT_TRUE(ink);
            EXPECT_TRUE(inside(*ink, frame))
                << ink->x() << "," << ink->y() << " " << ink->width() << "x" << ink->height();
        }
    }
}

TEST(ViewRendererLabels, AlignmentPlacesTheInkAtTheAskedSide) {
    RenderWorld world;
    const Rect frame(0, 0, 300, 40);
    auto inkFor = [&](ui::TextAlignment alignment) {
        auto root = canvas();
        addLabel(*root, frame, "Volume", alignment);
        return *PictureProbe(render::ViewRenderer().render(root.get(), kScale)).inkBox(anyInk);
    };
    EXPECT_LT(inkFor(ui::TextAlignment::Left).minX(), 5);
    EXPECT_GT(inkFor(ui::TextAlignment::Right).maxX(), 295);
    EXPECT_NEAR(inkFor(ui::TextAlignment::Center).midX(), 150, 3);
}

TEST(ViewRendererMirroring, NaturalTextAndButtonContentMoveToTheRightInARightToLeftInterface) {
    auto naturalInk = [](bool rightToLeft) {
        RenderWorld world(rightToLeft ? rightToLeftPhone() : device::DeviceConfiguration{});
        auto root = canvas();
        addLabel(*root, Rect(0, 0, 300, 40), "Toggles", ui::TextAlignment::Natural);
        return *PictureProbe(render::ViewRenderer().render(root.get(), kScale)).inkBox(anyInk);
    };
    EXPECT_LT(naturalInk(false).maxX(), 150);
    EXPECT_GT(naturalInk(true).minX(), 150);

    auto imageInk = [](bool rightToLeft) {
        RenderWorld world(rightToLeft ? rightToLeftPhone() : device::DeviceConfiguration{});
        auto root = canvas();
        auto button = ui::Button::buttonWithType(ui::Button::Type::System);
        button->setFrame(Rect(0, 0, 300, 40));
        button->setImage(ui::Image::imageWithContentsOfFile(
                             std::string(render_testing::kGlyphBundle) + "/volumeIcon.png")
                             ->imageWithRenderingMode(ui::Image::RenderingMode::AlwaysTemplate),
                         ui::ControlState::kNormal);
        button->setTitle("", ui::ControlState::kNormal);
        button->setTitle("Volume", ui::ControlState::kNormal);
        button->setTintColor(Color::redColor());
        root->addSubview(button.get());
        // The image is the only red ink: the title of a system button is red too, so look
        // at the image's square only, at either end.
        const auto picture = render::ViewRenderer().render(root.get(), kScale);
        PictureProbe probe(picture);
        return std::pair{probe.meanLuma(Rect(0, 0, 40, 40)), probe.meanLuma(Rect(260, 0, 40, 40))};
    };
    const auto [leftToRightStart, leftToRightEnd] = imageInk(false);
    const auto [rightToLeftStart, rightToLeftEnd] = imageInk(true);
    EXPECT_GT(leftToRightStart, leftToRightEnd);  // the image stands at the left
    EXPECT_GT(rightToLeftEnd, rightToLeftStart);  // and at the right when mirrored
}

TEST(ViewRendererMirroring, AHorizontalStackViewLaysItsFirstViewOnTheRight) {
    RenderWorld world(rightToLeftPhone());
    auto root = canvas();
    auto stack = rt::make<ui::StackView>(Rect(0, 0, 300, 40));
    stack->setDistribution(ui::StackView::kDistributionFillEqually);
    for (auto color : {Color::redColor(), Color::clearColor()}) {
        auto block = rt::make<ui::View>();
        block->setBackgroundColor(color);
        stack->addArrangedSubview(block.get());
    }
    root->addSubview(stack.get());
    const auto picture = render::ViewRenderer().render(root.get(), kScale);
    const auto red = PictureProbe(picture).inkBox(
        [](const render::Pixel& p) { return p.alpha > 200 && p.red > 200 && p.green < 50; });
    ASSERT_TRUE(red);
    EXPECT_NEAR(red->minX(), 150, 1);
    EXPECT_NEAR(red->maxX(), 300, 1);
}

TEST(ViewRendererSliders, TheThumbsCentreFollowsTheValueAndMirrors) {
    for (bool rightToLeft : {false, true}) {
        RenderWorld world(rightToLeft ? rightToLeftPhone() : device::DeviceConfiguration{});
        for (float value : {0.0f, 0.25f, 0.5f, 1.0f}) {
            SCOPED_TRACE(value);
            auto root = canvas(300, 40);
            auto slider = rt::make<ui::Slider>(Rect(0, 0, 300, 40));
            slider->setValue(value);
            slider->setMinimumTrackTintColor(Color::clearColor());
            slider->setMaximumTrackTintColor(Color::clearColor());
            slider->setThumbTintColor(Color::redColor());
            root->addSubview(slider.get());
            const auto picture = render::ViewRenderer().render(root.get(), kScale);
            const auto thumb = PictureProbe(picture).inkBox(
                [](const render::Pixel& p) { return p.alpha > 200 && p.red > 200; });
            ASSERT_TRUE(thumb);
            const double expected = 14 + value * (300 - 28);
            EXPECT_NEAR(thumb->midX(), rightToLeft ? 300 - expected : expected, 1);
            EXPECT_NEAR(thumb->width(), ui::Slider::kThumbDiameter, 1.5);
        }
    }
}

// Both tracks show against the menu's light and dark platters: the track beyond the thumb
// stands apart from the platter, and the filled track from the track beyond.
TEST(ViewRendererSliders, BothTracksShowOnALightAndADarkPlatter) {
    RenderWorld world;
    for (double platter : {0.96, 0.11}) {
        SCOPED_TRACE(platter);
        auto root = rt::make<ui::View>(Rect(0, 0, 300, 40));
        root->setBackgroundColor(Color::colorWithWhite(platter, 1));
        auto slider = rt::make<ui::Slider>(Rect(0, 0, 300, 40));
        slider->setValue(0.3f);
        slider->setTintColor(platter > 0.5 ? Color::darkGrayColor() : Color::whiteColor());
        root->addSubview(slider.get());
        const auto picture = render::ViewRenderer().render(root.get(), kScale);
        const PictureProbe probe(picture);
        const double background = probe.meanLuma(Rect(200, 4, 40, 4));
        const double beyond = probe.meanLuma(Rect(200, 19.5, 40, 1));
        const double filled = probe.meanLuma(Rect(20, 19.5, 40, 1));
        EXPECT_GT(std::fabs(beyond - background), 40);
        EXPECT_GT(std::fabs(filled - beyond), 60);
    }
}

TEST(ViewRendererImages, ATemplateImageIsDrawnInItsTintAndAnOriginalInItsOwnColours) {
    RenderWorld world;
    const auto original = ui::Image::imageWithContentsOfFile(
        std::string(render_testing::kGlyphBundle) + "/wifiIcon.png");
    ASSERT_TRUE(original);
    for (bool asTemplate : {true, false}) {
        auto root = canvas(60, 60);
        auto view = rt::make<ui::ImageView>(Rect(0, 0, 60, 60));
        view->setImage(
            asTemplate ? original->imageWithRenderingMode(ui::Image::RenderingMode::AlwaysTemplate)
                       : original);
        view->setTintColor(Color::colorWithRed(0, 0.8, 0, 1));
        root->addSubview(view.get());
        const auto picture = render::ViewRenderer().render(root.get(), kScale);
        const auto green = PictureProbe(picture).inkBox(
            [](const render::Pixel& p) { return p.alpha > 128 && p.green > 150 && p.red < 80; });
        EXPECT_EQ(static_cast<bool>(green), asTemplate);
    }
}

TEST(ViewRendererComposition, HiddenFadedClippedAndRoundedViewsDrawAsThePhoneShowsThem) {
    RenderWorld world;
    auto root = canvas(200, 100);
    auto hidden = rt::make<ui::View>(Rect(0, 0, 50, 50));
    hidden->setBackgroundColor(Color::redColor());
    hidden->setHidden(true);
    root->addSubview(hidden.get());
    auto faded = rt::make<ui::View>(Rect(50, 0, 50, 50));
    faded->setBackgroundColor(Color::blackColor());
    faded->setAlpha(0.5);
    root->addSubview(faded.get());
    auto rounded = rt::make<ui::View>(Rect(100, 0, 100, 100));
    rounded->setBackgroundColor(Color::blackColor());
    rounded->layer()->setCornerRadius(30);
    rounded->setClipsToBounds(true);
    auto spilling = rt::make<ui::View>(Rect(0, 0, 200, 200));  // reaches beyond its parent
    spilling->setBackgroundColor(Color::blackColor());
    rounded->addSubview(spilling.get());
    root->addSubview(rounded.get());

    const auto picture = render::ViewRenderer().render(root.get(), kScale);
    PictureProbe probe(picture);
    EXPECT_EQ(probe.at(25, 25).alpha, 0);
    EXPECT_NEAR(probe.at(75, 25).alpha, 128, 2);
    EXPECT_EQ(probe.at(101, 1).alpha, 0);  // the rounded corner, cut from the child too
    EXPECT_EQ(probe.at(150, 50).alpha, 255);
}

TEST(ViewRendererRobustness, BrokenInputStillWritesAPicture) {
    RenderWorld world;
    testing_support::TemporaryDirectory directory;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto root = canvas(200, 200);
    root->setBackgroundColor(Color::whiteColor());

    // A bitmap that claims more pixels than it holds, and an empty image.
    auto broken = std::make_shared<ui::Bitmap>();
    broken->width = 4000;
    broken->height = 4000;
    broken->rgba.assign(16, 255);
    auto brokenView = rt::make<ui::ImageView>(Rect(0, 0, 50, 50));
    brokenView->setImage(rt::make<ui::Image>(broken, 1, ui::Image::RenderingMode::AlwaysTemplate));
    root->addSubview(brokenView.get());
    root->addSubview(rt::make<ui::ImageView>(rt::make<ui::Image>()).get());
    // Labels whose font is no usable size, or with broken UTF-8.
    for (double size : {0.0, -4.0, nan, 1e12}) {
        auto label = addLabel(*root, Rect(0, 60, 200, 20), "size", ui::TextAlignment::Left);
        label->setFont(rt::make<ui::Font>(ui::Font::Weight::Regular, size));
    }
    addLabel(*root, Rect(0, 80, 200, 20), std::string("bad \xff\xfe bytes"),
             ui::TextAlignment::Natural);
    // A huge frame, a frame that is not a number, a collapsed transform.
    auto huge = rt::make<ui::View>(Rect(-1e12, -1e12, 3e12, 3e12));
    huge->setBackgroundColor(Color::grayColor());
    huge->layer()->setCornerRadius(1e9);
    huge->layer()->setBorderWidth(1e10);
    huge->layer()->setBorderColor(Color::redColor());
    root->addSubview(huge.get());
    addLabel(*huge, Rect(0, 0, 3e12, 3e12), "everywhere", ui::TextAlignment::Center);
    auto notANumber = rt::make<ui::View>(Rect(nan, 0, 10, nan));
    notANumber->setBackgroundColor(Color::redColor());
    root->addSubview(notANumber.get());
    auto collapsed = rt::make<ui::View>(Rect(0, 0, 50, 50));
    collapsed->setBackgroundColor(Color::redColor());
    collapsed->setTransform(ui::AffineTransform::makeScale(0, 0));
    root->addSubview(collapsed.get());
    auto after = rt::make<ui::View>(Rect(150, 150, 50, 50));  // still drawn after all that
    after->setBackgroundColor(Color::blackColor());
    root->addSubview(after.get());

    const auto picture = render::ViewRenderer().render(root.get(), kScale);
    EXPECT_EQ(PictureProbe(picture).at(175, 175), (render::Pixel{0, 0, 0, 255}));
    const auto path = directory.path() / "broken.png";
    picture.writePng(path);
    EXPECT_TRUE(render::Picture::readPng(path));

    const auto empty = render::ViewRenderer().render(nullptr, kScale);
    empty.writePng(directory.path() / "empty.png");
    EXPECT_TRUE(std::filesystem::exists(directory.path() / "empty.png"));
    auto zero = rt::make<ui::View>();
    render::ViewRenderer().render(zero.get(), kScale).writePng(directory.path() / "zero.png");
    EXPECT_TRUE(std::filesystem::exists(directory.path() / "zero.png"));
}
