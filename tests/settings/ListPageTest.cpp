// The Settings app's preference framework on its own: a page built from a specifier file,
// its sections, cells and values, and the navigation stack pages are shown in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistWriter.h"
#include "core/preferences/PreferenceFile.h"
#include "foundation/BoxedString.h"
#include "foundation/BoxedValue.h"
#include "foundation/Number.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "settings/PSListController.h"
#include "settings/PSTableCell.h"
#include "settings/SettingsApp.h"
#include "settings/SpecifierFile.h"
#include "support/TemporaryDirectory.h"
#include "ui/ControlEvents.h"
#include "ui/NavigationController.h"
#include "ui/Switch.h"
#include "ui/TextField.h"

namespace fs = std::filesystem;
using core::PlistArray;
using core::PlistDictionary;
using core::PlistValue;

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/Test.bundle";
constexpr const char* kDomain = "com.example.pane";

PlistDictionary item(const char* cell, const char* label) {
    PlistDictionary row;
    row.set("cell", PlistValue(cell));
    row.set("label", PlistValue(label));
    return row;
}

PlistDictionary setting(const char* cell, const char* label, const char* key, PlistValue fallback) {
    PlistDictionary row = item(cell, label);
    row.set("key", PlistValue(key));
    row.set("defaults", PlistValue(kDomain));
    row.set("default", std::move(fallback));
    return row;
}

class ListPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        core::Clock::boot(core::ClockMode::Virtual);
        settings::SettingsApp::bootWorld();
        core::DeviceRoot::set(_root.path());
        fs::create_directories(_root.path() / "Library/PreferenceBundles/Test.bundle");
    }

    void writeSpecifierFile(const std::string& name, const PlistArray& items,
                            const char* title = nullptr) {
        PlistDictionary file;
        file.set("items", PlistValue(items));
        if (title) file.set("title", PlistValue(title));
        const auto encoded = core::encodePropertyList(PlistValue(file), core::PlistFormat::Xml);
        const fs::path path =
            _root.path() / "Library/PreferenceBundles/Test.bundle" / (name + ".plist");
        std::ofstream(path, std::ios::binary) << encoded.bytes;
    }

    rt::Ref<settings::PSListController> pageOf(const std::string& name) {
        auto page = rt::make<settings::PSListController>();
        page->setBundlePath(kBundle);
        page->setHeldSpecifiers(
            rt::cast<settings::ObjectArray>(page->loadSpecifiersFromPlistName(name, page.get())));
        page->view();
        page->table()->reloadData();
        return page;
    }

    testing_support::TemporaryDirectory _root;
};

TEST_F(ListPageTest, GroupsStartSectionsWithTheirHeaderAndFooterAndUnknownItemsAreSkipped) {
    PlistDictionary first = item("PSGroupCell", "First");
    first.set("footerText", PlistValue("Below the first"));
    PlistArray items;
    items.append(PlistValue(item("PSSwitchCell", "Before any group")));
    items.append(PlistValue(first));
    items.append(PlistValue(item("PSSwitchCell", "One")));
    items.append(PlistValue(item("PSNoSuchCell", "Unknown")));
    items.append(PlistValue("not a dictionary"));
    items.append(PlistValue(item("PSLinkCell", "Two")));
    items.append(PlistValue(item("PSGroupCell", "")));
    items.append(PlistValue(item("PSButtonCell", "Three")));
    writeSpecifierFile("Rows", items, "Page title");

    const auto page = pageOf("Rows");
    EXPECT_EQ(page->title(), "Page title");
    const auto table = page->table();
    ASSERT_EQ(table->numberOfSections(), 3);
    EXPECT_EQ(table->numberOfRowsInSection(0), 1);
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(table->numberOfRowsInSection(2), 1);
    EXPECT_EQ(page->titleForHeaderInSection(nullptr, 1), "First");
    EXPECT_EQ(page->titleForFooterInSection(nullptr, 1), "Below the first");
    EXPECT_EQ(page->titleForFooterInSection(nullptr, 7), "");
    EXPECT_EQ(page->specifierAtIndexPath(ui::IndexPath::indexPathForRow(1, 1).get())->name(),
              "Two");
    EXPECT_FALSE(page->specifierAtIndexPath(ui::IndexPath::indexPathForRow(2, 1).get()));
    EXPECT_FALSE(page->specifierForLabel("Unknown"));

    // Rows stand one under the other, each section's rows below its header.
    const auto rowFrame = [&](long row, long section) {
        return table->rectForRowAtIndexPath(ui::IndexPath::indexPathForRow(row, section).get());
    };
    EXPECT_LE(rowFrame(0, 0).maxY(), rowFrame(0, 1).minY());
    EXPECT_EQ(rowFrame(0, 1).maxY(), rowFrame(1, 1).minY());
    EXPECT_LT(rowFrame(1, 1).maxY(), rowFrame(0, 2).minY());
}

TEST_F(ListPageTest, AFileOutsideTheBundleOrMissingGivesNoRows) {
    const auto page = rt::make<settings::PSListController>();
    page->setBundlePath(kBundle);
    EXPECT_FALSE(page->loadSpecifiersFromPlistName("Missing", page.get()));
    EXPECT_FALSE(page->loadSpecifiersFromPlistName("../Other", page.get()));
    EXPECT_FALSE(page->loadSpecifiersFromPlistName("", page.get()));
    EXPECT_FALSE(settings::SpecifierFile::cellTypeNamed("PSSwitch"));
    EXPECT_EQ(settings::SpecifierFile::cellTypeNamed("PSEditTextCell"),
              settings::PSCellType::EditText);
}

TEST_F(ListPageTest, CellsShowTheStoredValueOrTheDefaultAndStoreWhatTheUserSets) {
    PlistArray items;
    items.append(PlistValue(setting("PSSwitchCell", "Stored on", "on", PlistValue(false))));
    items.append(PlistValue(setting("PSSwitchCell", "Default on", "absent", PlistValue(true))));
    items.append(PlistValue(setting("PSEditTextCell", "Name", "name", PlistValue("none"))));
    items.append(PlistValue(setting("PSEditTextCell", "Number", "number", PlistValue(""))));
    writeSpecifierFile("Values", items);
    PlistDictionary stored;
    stored.set("on", PlistValue(1));
    stored.set("name", PlistValue("Ada"));
    stored.set("number", PlistValue(2.5));
    stored.set("other", PlistValue("kept"));
    ASSERT_TRUE(core::PreferenceFile::write(kDomain, stored));

    const auto page = pageOf("Values");
    const auto cellOf = [&](const char* label) {
        const auto row = page->specifierForLabel(label);
        return page->table()->cellForRowAtIndexPath(page->indexPathForSpecifier(row.get()).get());
    };
    auto* storedOn = dynamic_cast<settings::PSControlTableCell*>(cellOf("Stored on").get());
    auto* defaultOn = dynamic_cast<settings::PSControlTableCell*>(cellOf("Default on").get());
    auto* name = dynamic_cast<settings::PSEditableTableCell*>(cellOf("Name").get());
    auto* number = dynamic_cast<settings::PSEditableTableCell*>(cellOf("Number").get());
    ASSERT_TRUE(storedOn && defaultOn && name && number);
    auto* storedSwitch = dynamic_cast<ui::Switch*>(storedOn->control().get());
    ASSERT_TRUE(storedSwitch);
    EXPECT_TRUE(storedSwitch->isOn());
    EXPECT_TRUE(dynamic_cast<ui::Switch*>(defaultOn->control().get())->isOn());
    EXPECT_EQ(name->textField()->text(), "Ada");
    EXPECT_EQ(number->textField()->text(), "2.5");

    storedSwitch->setOn(false);
    storedSwitch->sendActionsForControlEvents(ui::ControlEvents::kValueChanged);
    name->endEditingWithText("Grace");
    const auto after = core::PreferenceFile::read(kDomain);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->find("on")->asBool(), false);
    EXPECT_EQ(*after->find("name")->asString(), "Grace");
    EXPECT_EQ(*after->find("other")->asString(), "kept") << "every other key stays";
}

TEST(BoxedValueTest, PropertyListValuesRoundTripThroughTheirObjects) {
    testing_support::TemporaryDirectory root;
    core::Clock::boot(core::ClockMode::Virtual);
    settings::SettingsApp::bootWorld();
    PlistDictionary nested;
    nested.set("inner", PlistValue(3));
    for (const PlistValue& value :
         {PlistValue(true), PlistValue(false), PlistValue(42), PlistValue(-7), PlistValue(0.25),
          PlistValue("text"), PlistValue(""), PlistValue(nested)}) {
        const auto boxed = settings::boxValue(value);
        ASSERT_TRUE(boxed) << static_cast<int>(value.kind());
        const auto back = settings::unboxValue(boxed.get());
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, value) << static_cast<int>(value.kind());
    }
    EXPECT_FALSE(settings::boxValue(PlistValue(PlistArray{})));
    EXPECT_FALSE(settings::unboxValue(nullptr));
    EXPECT_FALSE(settings::boxValue(std::optional<PlistValue>()));
}

// A view controller that notes what its stack tells it.
class NotingController : public ui::ViewController {
  public:
    static constexpr const char* kClassName = "NotingController";
    void viewWillAppear(bool) { notes.push_back("appear"); }
    void viewWillDisappear(bool) { notes.push_back("disappear"); }
    std::vector<std::string> notes;
};

TEST(NavigationControllerTest, PushAndPopShowOnlyTheFrontPageAndTellBothPages) {
    testing_support::TemporaryDirectory root;
    core::Clock::boot(core::ClockMode::Virtual);
    settings::SettingsApp::bootWorld();
    rt::Class* cls = rt::registerClass<NotingController, ui::ViewController>();
    rt::addMethods(cls, {rt::bind<&NotingController::viewWillAppear>("viewWillAppear:"),
                         rt::bind<&NotingController::viewWillDisappear>("viewWillDisappear:")});
    auto first = rt::make<NotingController>();
    auto second = rt::make<NotingController>();
    settings::NavigationController::navigationItemOf(first.get())->setTitle("First");
    auto stack = rt::make<settings::NavigationController>();
    stack->view();
    stack->setRootViewController(first.get());
    stack->pushViewController(second.get(), true);

    const auto shown = [&](ui::ViewController& page) {
        return page.isViewLoaded() && page.view()->superview().get() == stack->view().get();
    };
    EXPECT_FALSE(shown(*first));
    EXPECT_TRUE(shown(*second));
    EXPECT_EQ(first->notes, (std::vector<std::string>{"appear", "disappear"}));
    EXPECT_EQ(settings::NavigationController::navigationControllerOf(second.get()), stack);
    EXPECT_EQ(stack->navigationBar()->backTitle(), "First");
    const auto& subviews = stack->view()->subviews();
    EXPECT_EQ(subviews.back().get(), stack->navigationBar().get()) << "the bar stays in front";

    EXPECT_EQ(stack->popViewControllerAnimated(true).get(), second.get());
    EXPECT_TRUE(shown(*first));
    EXPECT_FALSE(shown(*second));
    EXPECT_EQ(first->notes.back(), "appear");
    EXPECT_EQ(second->notes.back(), "disappear");
    EXPECT_FALSE(stack->popViewControllerAnimated(true)) << "the root stays";
    EXPECT_EQ(stack->navigationBar()->backTitle(), "");
}

}  // namespace
