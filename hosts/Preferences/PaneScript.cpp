#include "PaneScript.h"

#include <ostream>
#include <stdexcept>

#include "ScriptError.h"
#include "ScriptWords.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/preferences/PreferenceFile.h"
#include "core/process/ProgramLauncher.h"
#include "foundation/BoxedValue.h"
#include "render/SettingsScreen.h"
#include "rt/Messaging.h"
#include "settings/PSTableCell.h"
#include "settings/SpecifierFile.h"
#include "shared/MorvaneIdentifiers.h"
#include "ui/ControlEvents.h"
#include "ui/NavigationBar.h"

#include "PaneFrames.h"
#include "PaneQuantities.h"

namespace {

using L = const ScriptLine&;

// The largest content offset a script may scroll to, either way.
constexpr double kFarthestScroll = 1e6;

std::string describeStored(const core::PlistValue* value) {
    if (!value) return "nothing";
    if (const auto flag = value->asBool()) return *flag ? "on" : "off";
    return "a value of another kind";
}

// After a flip the settings file of the row's domain must hold the new state: a change the
// pane could not write (its lock held by another writer, a file it cannot replace) stops the
// script with what the file holds.
void requireStored(const settings::PSSpecifier& row, const std::string& key, bool on,
                   const rt::Ref<ui::AlertController>& alert) {
    const std::string domain = row.stringProperty("defaults");
    if (domain.empty()) return;
    const auto values = core::PreferenceFile::read(domain);
    const core::PlistValue* stored = values ? values->find(key) : nullptr;
    const auto flag = stored ? core::PreferenceFile::boolValue(*stored) : std::nullopt;
    if (flag == on) return;
    if (alert)
        throw ScriptError("the change of '" + key + "' was not written: " + alert->message());
    throw ScriptError("the change of '" + key + "' was not written: the settings file holds " +
                      describeStored(stored) + " for it");
}

}  // namespace

PaneScript::PaneScript(std::ostream& out) : _out(out) {
    _commands.add(paneCommands());
    _commands.add(_quantities.commands(_out));
    _quantities.add(PaneQuantities::quantities(_state));
}

void PaneScript::begin() {
    _state.app = std::make_unique<settings::SettingsApp>();
    core::NotifyCenter::darwin().addObserver(morvane::identifiers::kReloadNotification,
                                             [this](const std::string&) { ++_state.posted; });
}

// Delivers what the line posted, and tells of an alert that appeared (the user saw it; the
// script goes on).
void PaneScript::settle() {
    core::RunLoop::main().pollSources(0);
    if (!_state.app) return;
    const auto alert = _state.alert();
    if (!alert || _toldAlert.lock() == alert) return;
    _toldAlert = rt::Weak<ui::AlertController>(alert.get());
    _out << "alert: " << alert->text() << "\n";
    _out.flush();
}

// An action sheet goes away as its cancel button would; an alert taps its first button.
void PaneScript::closeAlert() {
    const auto alert = _state.alert();
    if (!alert) return;
    for (const auto& action : alert->actions()) {
        if (action.style != ui::AlertActionStyle::Cancel) continue;
        alert->tapAction(action.title);
        return;
    }
    alert->tapAction();
}

void PaneScript::answerSheet(bool confirm) {
    const auto sheet = _state.alert();
    if (!sheet || sheet->preferredStyle() != ui::AlertControllerStyle::ActionSheet)
        throw ScriptError("no action sheet is shown");
    for (const auto& action : sheet->actions()) {
        if ((action.style == ui::AlertActionStyle::Cancel) != confirm) {
            sheet->tapAction(action.title);
            return;
        }
    }
    throw ScriptError(std::string("the action sheet has no ") +
                      (confirm ? "confirming" : "cancel") + " button");
}

// A swipe across the row shows Delete where the page's table lets the row be edited; Delete
// commits the deletion.
void PaneScript::runDelete(const std::string& label) {
    closeAlert();
    auto page = _state.visiblePage();
    const auto row = page->specifierForLabel(label);
    if (!row) throw ScriptError("the page shows no row labelled '" + label + "'");
    const auto indexPath = page->indexPathForSpecifier(row.get());
    const rt::Selector canEdit = rt::sel("tableView:canEditRowAtIndexPath:");
    const rt::Selector commit = rt::sel("tableView:commitEditingStyle:forRowAtIndexPath:");
    if (!rt::respondsToSelector(page, canEdit) || !rt::respondsToSelector(page, commit) ||
        !rt::send<bool>(page, canEdit, page->table(), indexPath))
        throw ScriptError("the row '" + label + "' cannot be deleted");
    constexpr long long kEditingStyleDelete = 1;
    rt::send<void>(page, commit, page->table(), kEditingStyleDelete, indexPath);
}

void PaneScript::runOk() {
    const auto alert = _state.alert();
    if (!alert) throw ScriptError("no alert is shown");
    alert->tapAction("OK");
}

std::vector<ScriptCommand> PaneScript::paneCommands() {
    return {
        {"open", "<label…>",
         [this](L line) {
             if (const auto problem = _state.settingsApp().openPane(line.rest(1)))
                 throw ScriptError(*problem);
         },
         "opens the pane listed under that label: its root page is in front"},
        {"goto", "<key>", [this](L line) { runGoto(line.words[1]); },
         "opens the pane's page whose rows hold the key"},
        {"tap", "<label…>", [this](L line) { runTap(line.rest(1)); },
         "taps the row with that label on the page in front (or on the app's own list)"},
        {"ok", "", [this](L) { runOk(); }, "taps the OK button of the alert on screen"},
        {"delete", "<label…>", [this](L line) { runDelete(line.rest(1)); },
         "swipes the row with that label and taps Delete"},
        {"confirm", "", [this](L) { answerSheet(true); },
         "taps the confirming button of the action sheet on screen"},
        {"cancel", "", [this](L) { answerSheet(false); },
         "taps the Cancel button of the action sheet on screen"},
        {"switch", "<key> on|off", [this](L line) { runSwitch(line.words[1], line.words[2]); },
         "flips the switch of the row with that key; stops when the change is not written"},
        {"scroll", "<y>",
         [this](L line) {
             const double y =
                 ScriptWords::numberIn(line.words[1], "offset", -kFarthestScroll, kFarthestScroll);
             closeAlert();
             _state.visiblePage()->table()->dragContentTo(y);
         },
         "a finger holds the page's content at vertical offset y (at most half the screen past "
         "either end)"},
        {"release", "", [this](L) { _state.visiblePage()->table()->endDragging(); },
         "the finger lifts: the page settles within its content, as it bounces back"},
        {"respring", "", [this](L) { runRespring(); }, "taps the navigation bar's Respring button"},
        {"back", "",
         [this](L) {
             if (!_state.settingsApp().back()) throw ScriptError("there is no page to leave");
         },
         "leaves the page in front"},
        {"wait", "<seconds>",
         [](L line) { core::RunLoop::main().runFor(ScriptWords::seconds(line.words[1])); },
         "advances the clock"},
        {"print page", "", [this](L) { runPrint(); },
         "the page in front: its title, groups and rows with their values"},
        {"snapshot", "<file.png>", [this](L line) { runSnapshot(line.words[1]); },
         "draws the Settings app's screen into a PNG picture"},
        {"print frames", "", [this](L) { _out << PaneFrames::json(_state) << "\n"; },
         "the page a person sees as one line of JSON: title, rows with their frames, buttons"},
    };
}

void PaneScript::runGoto(const std::string& key) {
    auto& app = _state.settingsApp();
    auto root = app.rootPage();
    if (!root) throw ScriptError("no pane is open (use: open <label>)");
    while (app.frontPage() != root) app.back();
    if (root->specifierForKey(key)) return;
    for (const auto& row : root->currentSpecifiers()) {
        const std::string page = row->stringProperty("MVSubPrefs");
        if (row->cellType() != settings::PSCellType::Link || page.empty()) continue;
        const auto contents =
            settings::SpecifierFile::load(root->bundlePath() + "/" + page + ".plist", nullptr);
        if (!contents) continue;
        for (const auto& candidate : contents->specifiers) {
            if (candidate->stringProperty("key") != key) continue;
            const auto indexPath = root->indexPathForSpecifier(row.get());
            root->table()->selectRowAtIndexPath(indexPath.get());
            return;
        }
    }
    throw ScriptError("no page of the pane holds the key '" + key + "'");
}

void PaneScript::runTap(const std::string& label) {
    closeAlert();
    auto page = _state.visiblePage();
    const auto row = page->specifierForLabel(label);
    if (!row) throw ScriptError("the page shows no row labelled '" + label + "'");
    page->table()->selectRowAtIndexPath(page->indexPathForSpecifier(row.get()).get());
}

void PaneScript::runSwitch(const std::string& key, const std::string& state) {
    if (state != "on" && state != "off")
        throw ScriptError("a switch is on or off, not '" + state + "'");
    closeAlert();
    auto control = _state.switchFor(key);
    const bool on = state == "on";
    if (control->isOn() == on) return;
    // What a tap on the switch does: it flips and tells its target.
    control->setOn(on, true);
    control->sendActionsForControlEvents(ui::ControlEvents::kValueChanged);
    settle();
    requireStored(*_state.front()->specifierForKey(key), key, on, _state.alert());
}

void PaneScript::runRespring() {
    const auto item = _state.settingsApp().rootStack()->navigationBar()->topItem();
    const auto button = item ? item->rightBarButtonItem() : rt::Ref<ui::BarButtonItem>();
    if (!button || button->title() != "Respring")
        throw ScriptError("the navigation bar shows no Respring button");
    button->tap();
}

// Draws the app's screen as it stands once the tasks due now have run.
void PaneScript::runSnapshot(const std::string& file) {
    core::RunLoop::main().runFor(0);
    const render::Picture picture = render::SettingsScreen::picture(
        _state.settingsApp().rootStack()->view().get(), _state.alert().get());
    try {
        picture.writePng(file);
    } catch (const std::runtime_error& error) {
        throw ScriptError(error.what());
    }
}

void PaneScript::runPrint() {
    auto page = _state.front();
    _out << "page " << QuantityTable::describe(_quantities.read("page.title")) << "\n";
    std::string footer;
    const auto endGroup = [&] {
        if (!footer.empty()) _out << "  footer: " << footer << "\n";
        footer.clear();
    };
    for (const auto& row : page->currentSpecifiers()) {
        if (row->cellType() == settings::PSCellType::Group) {
            endGroup();
            _out << "  [" << row->name() << "]\n";
            footer = row->stringProperty("footerText");
            continue;
        }
        const std::string key = row->stringProperty("key");
        _out << "    " << row->name();
        if (!key.empty())
            _out << " (" << key << "): " << QuantityTable::describe(_quantities.read("row." + key));
        else if (const std::string subtitle = row->stringProperty("subtitle"); !subtitle.empty())
            _out << ": " << subtitle;
        _out << "\n";
    }
    endGroup();
}
