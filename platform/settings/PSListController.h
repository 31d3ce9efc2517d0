#pragma once

#include <string>
#include <vector>

#include "core/preferences/PreferenceFileUpdate.h"
#include "foundation/ObjectArray.h"
#include "rt/Ref.h"
#include "settings/PSSpecifier.h"
#include "ui/IndexPath.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/ViewController.h"

namespace settings {

// A settings page ("PSListController"): a table of rows built from specifiers. The page is
// its table's data source and delegate: each group specifier starts a section (its label is
// the header, its "footerText" the footer) and every other specifier is a row, shown by a
// cell of its kind whose value comes from the row's target's getter. Changing a switch or a
// text field calls the row's setter; tapping a link pushes the page it names, handed the link
// by "setSpecifier:"; tapping a button sends its action.
//
// The base getter and setter read and store the row's "key" in its "defaults" domain's file;
// the setter writes through the writers' rule (the file's lock, read again under it), so the
// value is in the file before it returns, and it posts nothing. Nothing is held in memory: a
// write that fails leaves the rows showing what the file holds and tells the user why in an
// alert. A stored value the row cannot show reads as absent, so the row shows its "default";
// a switch reads a value as the home screen reads a setting.
//
// Every step a page may override ("specifiers", "setSpecifier:", "reloadSpecifiers",
// "readPreferenceValue:", "setPreferenceValue:specifier:", "viewDidLoad",
// "viewWillAppear:", ...) is sent through the runtime.
class PSListController : public ui::ViewController {
  public:
    static constexpr const char* kClassName = "PSListController";

    PSListController() = default;

    // The bundle the page's specifier files are read from (the pane's bundle, a device
    // path). A page pushed from a link gets the bundle of the page that pushed it.
    const std::string& bundlePath() const { return _bundlePath; }
    void setBundlePath(std::string path) { _bundlePath = std::move(path); }

    // "specifiers" (the base answers the held list, none until one is set).
    rt::Ref<rt::Object> specifiers();
    // The held list ("_specifiers").
    const rt::Ref<ObjectArray>& heldSpecifiers() const { return _specifiers; }
    void setHeldSpecifiers(rt::Ref<ObjectArray> specifiers) { _specifiers = std::move(specifiers); }
    // The rows as sent "specifiers" answers them.
    std::vector<rt::Ref<PSSpecifier>> currentSpecifiers();

    // "loadSpecifiersFromPlistName:target:": the rows of "<bundle>/<name>.plist", each with
    // the target; sets the page's title from the file's. Null when the file is missing.
    rt::Ref<rt::Object> loadSpecifiersFromPlistName(const std::string& name, rt::Object* target);

    rt::Ref<rt::Object> specifier() const { return _specifier; }
    void setSpecifier(rt::Object* specifier);
    void reloadSpecifiers();
    const std::string& title() const { return _title; }
    void setTitle(std::string title) { _title = std::move(title); }

    // "table": the page's table view (its view, loaded on first use).
    rt::Ref<ui::TableView> table();

    rt::Ref<rt::Object> readPreferenceValue(rt::Object* specifier);
    void setPreferenceValue(rt::Object* value, rt::Object* specifier);
    // Whether the last change made through the base setter failed to reach its file.
    bool lastWriteFailed() const { return _lastWriteFailed; }
    // Tells the user what a write of a row's value came to: a failure shows the rows as the
    // file holds them and an alert saying why; a file kept aside is told too. Answers whether
    // the file holds the change.
    bool noteWriteResult(const PSSpecifier& specifier,
                         const core::PreferenceFileUpdate::Result& result);
    // An alert with an "OK" button over the page.
    void presentAlert(const std::string& title, const std::string& message);

    // The row at an index path and the index path of a row, by the current sections.
    rt::Ref<PSSpecifier> specifierAtIndexPath(const ui::IndexPath* indexPath);
    rt::Ref<ui::IndexPath> indexPathForSpecifier(const PSSpecifier* specifier);
    // The first row whose "key" property is `key`, or whose label is `label`.
    rt::Ref<PSSpecifier> specifierForKey(const std::string& key);
    rt::Ref<PSSpecifier> specifierForLabel(const std::string& label);
    // Taps a row: a link pushes its page, a button sends its action. Answers false for a
    // row that does nothing when tapped.
    bool tapSpecifier(PSSpecifier* specifier);
    // Pushes a link's page on the page's navigation controller; answers it.
    rt::Ref<rt::Object> pushLinkPage(PSSpecifier* link);

    // The runtime's table data source and delegate.
    long long numberOfSectionsInTableView(rt::Object* tableView);
    long long numberOfRowsInSection(rt::Object* tableView, long long section);
    rt::Ref<rt::Object> cellForRowAtIndexPath(rt::Object* tableView, ui::IndexPath* indexPath);
    std::string titleForHeaderInSection(rt::Object* tableView, long long section);
    std::string titleForFooterInSection(rt::Object* tableView, long long section);
    void didSelectRowAtIndexPath(rt::Object* tableView, ui::IndexPath* indexPath);

    void loadView();
    void viewWillAppear(bool animated);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    struct Section {
        rt::Ref<PSSpecifier> group;
        std::vector<rt::Ref<PSSpecifier>> rows;
    };
    // The rows in sections, made again only when "specifiers" answers another list or the
    // list has grown (a list is only ever appended to), so that asking for every row of a
    // long page stays linear.
    const std::vector<Section>& sections();
    struct SectionCache {
        rt::Ref<rt::Object> list;  // held, so that its address is not reused
        std::size_t count = 0;
        std::vector<Section> sections;
    };

    std::string _bundlePath;
    std::string _title;
    rt::Ref<ObjectArray> _specifiers;
    rt::Ref<rt::Object> _specifier;
    bool _lastWriteFailed = false;
    SectionCache _sectionCache;
};

}  // namespace settings
