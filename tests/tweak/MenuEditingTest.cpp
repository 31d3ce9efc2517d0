// Editing an app's values in its icon menu: the slider's save 0.5 s after the finger lifts,
// the remove button, switch taps; and what happens when the file can't be written or the
// menu goes away with a save still due.
#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "springboard/HomeScreen.h"
#include "support/FailingWrites.h"
#include "tweak/store/CustomValuesStore.h"

using namespace morvane;
using tweak_testing::FailingWrites;
using tweak_testing::MenuDriver;

namespace {

class MenuEditingTest : public tweak_testing::MenuTest {
  protected:
    std::optional<core::PlistDictionary> fileToggles() const {
        const core::PlistDictionary file = readValuesFile();
        const core::PlistValue* toggles = file.find("com.example.maps-toggles");
        if (!toggles || !toggles->asDictionary()) return std::nullopt;
        return *toggles->asDictionary();
    }
};

}  // namespace

TEST_F(MenuEditingTest, ALevelIsSavedHalfASecondAfterTheFingerLifts) {
    start();
    pressAndSettle();
    MenuDriver::choose("Volume");
    MenuDriver::drag(0.42);
    EXPECT_EQ(openSlider("Volume")->percentLabel()->text(), "42%");
    advance(0.49);
    EXPECT_EQ(fileLevel("com.example.maps-volume"), -1);
    EXPECT_EQ(MenuDriver::haptics(), 0);
    advance(0.01);
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.42f);
    EXPECT_EQ(MenuDriver::subtitle("Volume"), "Custom value: 42%");
    EXPECT_EQ(MenuDriver::haptics(), 1);
    advance(0.2);
    EXPECT_FALSE(openSlider("Volume"));
    // Never the phone's own volume.
    EXPECT_FLOAT_EQ(phone().volume(), 0.5f);
}

TEST_F(MenuEditingTest, ADragStartedWithinTheDelayPostponesTheSaveToItsOwnEnd) {
    start();
    pressAndSettle();
    MenuDriver::choose("Brightness");
    MenuDriver::drag(0.3);
    advance(0.3);
    MenuDriver::touch("began");
    MenuDriver::touchMoved(0.8);
    advance(0.5);
    EXPECT_EQ(fileLevel("com.example.maps-brightness"), -1);
    EXPECT_EQ(MenuDriver::haptics(), 0) << "a save finding a drag gives no impact";
    MenuDriver::touch("ended");
    advance(0.5);
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-brightness")), 0.8f);
    EXPECT_EQ(MenuDriver::haptics(), 1);
}

TEST_F(MenuEditingTest, RemovingALevelDeletesItsKeyAndClosesTheEditorWithoutAnImpact) {
    start({{"com.example.maps-brightness", 0.6f}, {"com.example.maps-volume", 0.2f}});
    pressAndSettle();
    MenuDriver::choose("Brightness");
    MenuDriver::tapRemove();
    EXPECT_EQ(fileLevel("com.example.maps-brightness"), -1);
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.2f);
    EXPECT_EQ(MenuDriver::subtitle("Brightness"), "Set custom brightness");
    EXPECT_EQ(MenuDriver::haptics(), 0);
    advance(0.2);
    EXPECT_FALSE(openSlider("Brightness"));
}

TEST_F(MenuEditingTest, ThreeTapsOnOneSwitchStoreOnThenOffThenLeaveAnEmptyDictionary) {
    start();
    pressAndSettle();
    MenuDriver::choose("Toggles");
    MenuDriver::tapToggle("wifi");
    EXPECT_EQ(fileToggles(), (core::PlistDictionary{{"wifi", 1}}));
    EXPECT_EQ(MenuDriver::subtitle("Toggles"), " ");
    MenuDriver::tapToggle("wifi");
    EXPECT_EQ(fileToggles(), (core::PlistDictionary{{"wifi", 0}}));
    MenuDriver::tapToggle("wifi");
    EXPECT_EQ(fileToggles(), core::PlistDictionary{}) << "an empty dictionary stays";
    EXPECT_EQ(MenuDriver::subtitle("Toggles"), "Set custom toggles");
    EXPECT_EQ(MenuDriver::haptics(), 3);
    EXPECT_TRUE(openToggles("Toggles")) << "the editor stays open";
}

// A failed write is not shown as saved: the row and the in-memory values keep what the
// file holds, and the editor closes as usual.
TEST_F(MenuEditingTest, ASaveWhoseWriteFailsKeepsTheStoredLevelOnScreenAndInMemory) {
    start({{"com.example.maps-volume", 0.25f}});
    pressAndSettle();
    MenuDriver::choose("Volume");
    MenuDriver::drag(0.9);
    {
        FailingWrites full;
        advance(0.5);
    }
    EXPECT_EQ(MenuDriver::subtitle("Volume"), "Custom value: 25%");
    EXPECT_FLOAT_EQ(static_cast<float>(CustomValuesStore::getCustomVolumeForApp(kMaps)), 0.25f);
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.25f);
    advance(0.2);
    EXPECT_FALSE(openSlider("Volume"));
    // The next successful write does not carry the lost value either.
    MenuDriver::choose("Brightness");
    MenuDriver::tapRemove();
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.25f);
}

TEST_F(MenuEditingTest, ARemovalWhoseWriteFailsKeepsTheLevel) {
    start({{"com.example.maps-brightness", 0.6f}});
    pressAndSettle();
    MenuDriver::choose("Brightness");
    {
        FailingWrites full;
        MenuDriver::tapRemove();
    }
    EXPECT_EQ(MenuDriver::subtitle("Brightness"), "Custom value: 60%");
    EXPECT_FLOAT_EQ(static_cast<float>(CustomValuesStore::getCustomBrightnessForApp(kMaps)), 0.6f);
    advance(0.2);
    EXPECT_FALSE(openSlider("Brightness"));
}

TEST_F(MenuEditingTest, ASwitchTapWhoseWriteFailsShowsTheStoredStateAgain) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"bluetooth", 0}}}});
    pressAndSettle();
    MenuDriver::choose("Toggles");
    {
        FailingWrites full;
        MenuDriver::tapToggle("bluetooth");
        MenuDriver::tapToggle("wifi");
    }
    EXPECT_EQ(openToggles("Toggles")->toggleButton("bluetooth")->currentState(), 0);
    EXPECT_EQ(openToggles("Toggles")->toggleButton("wifi")->currentState(), -1);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("bluetooth", kMaps), 0);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", kMaps), -1);
    EXPECT_EQ(MenuDriver::subtitle("Toggles"), " ");
    EXPECT_EQ(enabledToggles()->togglesStackView()->arrangedSubviews().size(), 1u);
    // Once the file can be written again, taps are stored as usual.
    MenuDriver::tapToggle("wifi");
    EXPECT_EQ(fileToggles(), (core::PlistDictionary{{"bluetooth", 0}, {"wifi", 1}}));
}

// A value whose save is still due when the menu goes away is saved then, under its row's
// key; the save due later finds nothing to do.
TEST_F(MenuEditingTest, ASaveStillDueWhenTheMenuGoesAwayIsMadeThenAndOnlyThen) {
    start();
    springboard::HomeScreen::installApp("com.example.notes");
    pressAndSettle();
    MenuDriver::choose("Brightness");
    MenuDriver::drag(0.35);
    advance(0.2);
    MenuDriver::dismiss();
    EXPECT_FALSE(MenuControllerRegistry::getInstance());
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-brightness")), 0.35f);
    EXPECT_EQ(fileLevel("com.example.maps-volume"), -1);
    EXPECT_EQ(MenuDriver::haptics(), 1);
    // Another app's menu is open when the first save comes due: it stores nothing there.
    pressAndSettle("com.example.notes");
    advance(0.3);
    EXPECT_EQ(fileLevel("com.example.notes-brightness"), -1);
    EXPECT_EQ(fileLevel("com.example.notes-volume"), -1);
    EXPECT_EQ(MenuDriver::haptics(), 1);
}

TEST_F(MenuEditingTest, AMenuClosedWithNoSaveDueSavesNothing) {
    start({{"com.example.maps-volume", 0.5f}});
    pressAndSettle();
    MenuDriver::choose("Volume");
    MenuDriver::touch("began");
    MenuDriver::touchMoved(0.1);
    MenuDriver::touch("cancelled");
    MenuDriver::dismiss();
    advance(1);
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.5f);
    EXPECT_EQ(MenuDriver::haptics(), 0);
}
