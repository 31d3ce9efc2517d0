#include "MenuTestSupport.h"

#include "springboard/HomeScreen.h"

namespace tweak_testing {

void MenuTest::start(const core::PlistDictionary& values,
                     const device::DeviceConfiguration& configuration) {
    writeValuesFile(values);
    startLibrary(configuration);
    springboard::HomeScreen::installApp(kMaps);
}

void MenuTest::pressAndSettle(const std::string& bundleId) {
    MenuDriver::press(bundleId);
    advance(0.1);
}

rt::Ref<morvane::SliderView> MenuTest::openSlider(const std::string& title) {
    return morvane::MenuControllerRegistry::sliderView(MenuDriver::row(title).get());
}

rt::Ref<morvane::TogglesView> MenuTest::openToggles(const std::string& title) {
    return morvane::MenuControllerRegistry::togglesView(MenuDriver::row(title).get());
}

rt::Ref<morvane::TogglesView> MenuTest::enabledToggles() {
    return morvane::MenuControllerRegistry::enabledTogglesView(MenuDriver::row("Toggles").get());
}

double MenuTest::fileLevel(const std::string& key) const {
    const core::PlistDictionary file = readValuesFile();
    const core::PlistValue* value = file.find(key);
    const std::optional<double> level = value ? value->asNumber() : std::nullopt;
    return level.value_or(-1);
}

}  // namespace tweak_testing
