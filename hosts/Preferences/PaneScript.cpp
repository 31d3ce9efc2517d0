#include "PaneScript.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "ScenarioError.h"
#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/preferences/PreferenceFile.h"
#include "core/process/ProgramLauncher.h"
#include "foundation/BoxedValue.h"
#include "render/SettingsScreen.h"
#include "rt/Messaging.h"
#include "settings/PSTableCell.h"
#include "settings/SpecifierFile.h"
#include "ui/ControlEvents.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"

namespace {

constexpr const char* kDomain = "com.kelvrin.morvane";

void expectWords(const ScenarioLine& line, std::size_t count, const char* form) {
    if (line.words.size() != count) throw ScenarioError(std::string("expected: ") + form);
}

double number(const std::string& word, const char* what) {
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0' || !std::isfinite(value))
        throw ScenarioError(std::string(what) + " '" + word + "' is not a number");
    return value;
}

std::string joined(const std::vector<std::string>& words, std::size_t from) {
    std::string text;
    for (std::size_t index = from; index < words.size(); ++index) {
        if (!text.empty()) text += ' ';
        text += words[index];
    }
    return text;
}

std::string formatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string onOff(const std::optional<core::PlistValue>& value) {
    if (!value) return "absent";
    if (const auto flag = value->asBool()) return *flag ? "on" : "off";
    if (const auto amount = value->asNumber()) return *amount != 0 ? "on" : "off";
    return "absent";
}

rt::Object* objectProperty(rt::Object* page, const char* selector) {
    return rt::send<rt::Ref<rt::Object>>(page, rt::sel(selector)).get();
}

}  // namespace

PaneScript::PaneScript(settings::SettingsApp& app, std::ostream& out, bool echo)
    : _app(app), _out(out), _echo(echo) {
    core::NotifyCenter::darwin().addObserver(kReloadNotification,
                                             [this](const std::string&) { ++_posted; });
}

int PaneScript::play(std::istream& input, std::ostream& errors) {
    int number = 0;
    for (std::string text; std::getline(input, text);) {
        const ScenarioLine line = ScenarioLine::parse(++number, text);
        if (_echo) {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "[%6.3f] ", core::Clock::now());
            _out << (line.words.empty() ? "" : stamp) << line.text << "\n";
            _out.flush();
        }
        if (line.words.empty()) continue;
        try {
            run(line);
        } catch (const std::exception& error) {
            errors << "line " << line.number << ": " << text << "\n  " << error.what() << "\n";
            return 1;
        }
    }
    return 0;
}

void PaneScript::run(const ScenarioLine& line) {
    const std::string& command = line.words[0];
    if (command == "open") {
        runOpen(line);
    } else if (command == "goto") {
        runGoto(line);
    } else if (command == "tap") {
        runTap(line);
    } else if (command == "switch") {
        runSwitch(line);
    } else if (command == "scroll") {
        runScroll(line);
    } else if (command == "respring") {
        expectWords(line, 1, "respring");
        runRespring();
    } else if (command == "back") {
        expectWords(line, 1, "back");
        runBack();
    } else if (command == "wait") {
        runWait(line);
    } else if (command == "print") {
        runPrint(line);
    } else if (command == "expect") {
        runExpect(line);
    } else if (command == "snapshot") {
        runSnapshot(line);
    } else {
        throw ScenarioError("unknown command '" + command + "'");
    }
    settle();
}

// Delivers the notifications posted by the line, so that `posted` counts each post.
void PaneScript::settle() {
    core::RunLoop::main().pollSources(0);
}

rt::Ref<settings::PSListController> PaneScript::requireFront() const {
    auto page = _app.frontPage();
    if (!page) throw ScenarioError("no pane is open (use: open <label>)");
    return page;
}

void PaneScript::runOpen(const ScenarioLine& line) {
    if (line.words.size() < 2) throw ScenarioError("expected: open <label>");
    if (const auto problem = _app.openPane(joined(line.words, 1))) throw ScenarioError(*problem);
}

void PaneScript::runGoto(const ScenarioLine& line) {
    expectWords(line, 2, "goto <key>");
    const std::string& key = line.words[1];
    auto root = _app.rootPage();
    if (!root) throw ScenarioError("no pane is open (use: open <label>)");
    while (_app.frontPage() != root) _app.back();
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
    throw ScenarioError("no page of the pane holds the key '" + key + "'");
}

void PaneScript::runTap(const ScenarioLine& line) {
    if (line.words.size() < 2) throw ScenarioError("expected: tap <label>");
    auto page = requireFront();
    const std::string label = joined(line.words, 1);
    const auto row = page->specifierForLabel(label);
    if (!row) throw ScenarioError("the page shows no row labelled '" + label + "'");
    page->table()->selectRowAtIndexPath(page->indexPathForSpecifier(row.get()).get());
}

void PaneScript::runSwitch(const ScenarioLine& line) {
    expectWords(line, 3, "switch <key> on|off");
    const std::string& state = line.words[2];
    if (state != "on" && state != "off")
        throw ScenarioError("a switch is on or off, not '" + state + "'");
    auto page = requireFront();
    const auto row = page->specifierForKey(line.words[1]);
    if (!row) throw ScenarioError("the page shows no row with the key '" + line.words[1] + "'");
    auto cell = rt::cast<settings::PSControlTableCell>(
        page->table()->cellForRowAtIndexPath(page->indexPathForSpecifier(row.get()).get()));
    auto control = cell ? rt::cast<ui::Switch>(cell->control()) : rt::Ref<ui::Switch>();
    if (!control) throw ScenarioError("the row '" + line.words[1] + "' has no switch");
    const bool on = state == "on";
    if (control->isOn() == on) return;
    // What a tap on the switch does: it flips and tells its target.
    control->setOn(on, true);
    control->sendActionsForControlEvents(ui::ControlEvents::kValueChanged);
}

void PaneScript::runScroll(const ScenarioLine& line) {
    expectWords(line, 2, "scroll <y>");
    requireFront()->table()->setContentOffset(ui::Point{0, number(line.words[1], "offset")});
}

void PaneScript::runRespring() {
    const auto item = _app.rootStack()->navigationBar()->topItem();
    const auto button = item ? item->rightBarButtonItem() : rt::Ref<ui::BarButtonItem>();
    if (!button || button->title() != "Respring")
        throw ScenarioError("the navigation bar shows no Respring button");
    button->tap();
}

void PaneScript::runBack() {
    if (!_app.back()) throw ScenarioError("there is no page to leave");
}

void PaneScript::runWait(const ScenarioLine& line) {
    expectWords(line, 2, "wait <seconds>");
    const double seconds = number(line.words[1], "wait");
    if (seconds < 0) throw ScenarioError("cannot wait a negative time");
    core::RunLoop::main().runFor(seconds);
}

// Draws the app's screen as it stands once the tasks due now have run.
void PaneScript::runSnapshot(const ScenarioLine& line) {
    expectWords(line, 2, "snapshot <file.png>");
    core::RunLoop::main().runFor(0);
    const render::Picture picture = render::SettingsScreen::picture(_app.rootStack()->view().get());
    try {
        picture.writePng(line.words[1]);
    } catch (const std::runtime_error& error) {
        throw ScenarioError(error.what());
    }
}

void PaneScript::runPrint(const ScenarioLine& line) {
    if (line.words.size() != 2 || line.words[1] != "page")
        throw ScenarioError("expected: print page");
    auto page = requireFront();
    _out << "page " << quantity("page.title") << "\n";
    for (const auto& row : page->currentSpecifiers()) {
        if (row->cellType() == settings::PSCellType::Group) {
            _out << "  [" << row->name() << "]\n";
            continue;
        }
        const std::string key = row->stringProperty("key");
        _out << "    " << row->name();
        if (!key.empty()) _out << " (" << key << "): " << quantity("row." + key);
        _out << "\n";
    }
    _out.flush();
}

std::string PaneScript::quantity(const std::string& name) {
    auto page = requireFront();
    if (name == "page.title") {
        const auto label =
            rt::cast<ui::Label>(rt::Ref<rt::Object>(objectProperty(page.get(), "titleLabel")));
        return label ? label->text() : page->title();
    }
    if (name.starts_with("row.")) {
        const auto row = page->specifierForKey(name.substr(4));
        if (!row)
            throw ScenarioError("the page shows no row with the key '" + name.substr(4) + "'");
        auto cell = rt::cast<settings::PSControlTableCell>(
            page->table()->cellForRowAtIndexPath(page->indexPathForSpecifier(row.get()).get()));
        auto control = cell ? rt::cast<ui::Switch>(cell->control()) : rt::Ref<ui::Switch>();
        if (!control) throw ScenarioError("the row '" + name.substr(4) + "' has no switch");
        return control->isOn() ? "on" : "off";
    }
    if (name.starts_with("file.")) {
        const auto values = core::PreferenceFile::read(kDomain);
        const core::PlistValue* value = values ? values->find(name.substr(5)) : nullptr;
        return onOff(value ? std::optional<core::PlistValue>(*value) : std::nullopt);
    }
    if (name == "respring.shown") {
        auto root = _app.rootPage();
        const auto item = _app.rootStack()->navigationBar()->topItem();
        const bool shown =
            root && item && item->rightBarButtonItem() &&
            item->rightBarButtonItem().get() == objectProperty(root.get(), "respringButton");
        return shown ? "1" : "0";
    }
    if (name.starts_with("header.height.")) {
        char* end = nullptr;
        const std::string index = name.substr(14);
        const long long section = std::strtoll(index.c_str(), &end, 10);
        if (index.empty() || *end != '\0') throw ScenarioError("no section '" + index + "'");
        return formatNumber(rt::send<double>(page, rt::sel("tableView:heightForHeaderInSection:"),
                                             page->table(), section));
    }
    if (name == "title.alpha" || name == "icon.alpha") {
        auto view = rt::cast<ui::View>(rt::Ref<rt::Object>(
            objectProperty(page.get(), name == "title.alpha" ? "titleLabel" : "iconView")));
        if (!view) throw ScenarioError("the page has no " + name.substr(0, name.find('.')));
        return formatNumber(view->alpha());
    }
    if (name == "headerImage.frame") {
        auto view =
            rt::cast<ui::View>(rt::Ref<rt::Object>(objectProperty(page.get(), "headerImageView")));
        if (!view) throw ScenarioError("the page has no header image");
        const ui::Rect frame = view->frame();
        return formatNumber(frame.x()) + " " + formatNumber(frame.y()) + " " +
               formatNumber(frame.width()) + " " + formatNumber(frame.height());
    }
    if (name == "posted") return std::to_string(_posted);
    if (name == "launched") {
        const auto launches = core::ProgramLauncher::launches();
        if (launches.empty()) return "none";
        std::string text = launches.back().devicePath;
        for (const auto& argument : launches.back().arguments) text += " " + argument;
        return text;
    }
    throw ScenarioError("unknown quantity '" + name + "'");
}

void PaneScript::runExpect(const ScenarioLine& line) {
    if (line.words.size() < 3)
        throw ScenarioError("expected: expect <quantity> <value> [<tolerance>]");
    const std::string actual = quantity(line.words[1]);
    const std::string& name = line.words[1];
    const bool textual = name == "launched" || name == "headerImage.frame" || name == "page.title";
    if (textual) {
        const std::string expected = joined(line.words, 2);
        if (name == "headerImage.frame") {
            std::istringstream want(expected), have(actual);
            double a = 0, b = 0;
            int count = 0;
            while (want >> a && have >> b) {
                if (std::fabs(a - b) > 1e-6)
                    throw ScenarioError("expected " + name + " " + expected + ", but it is " +
                                        actual);
                ++count;
            }
            if (count != 4)
                throw ScenarioError("expected " + name + " " + expected + ", but it is " + actual);
            return;
        }
        if (actual != expected)
            throw ScenarioError("expected " + name + " " + expected + ", but it is " + actual);
        return;
    }
    if (line.words.size() > 4)
        throw ScenarioError("expected: expect <quantity> <value> [<tolerance>]");
    const double tolerance = line.words.size() == 4 ? number(line.words[3], "tolerance") : 1e-6;
    char* end = nullptr;
    const double expectedNumber = std::strtod(line.words[2].c_str(), &end);
    const bool numeric = end != line.words[2].c_str() && *end == '\0';
    if (numeric) {
        char* actualEnd = nullptr;
        const double actualNumber = std::strtod(actual.c_str(), &actualEnd);
        if (actualEnd != actual.c_str() && *actualEnd == '\0' &&
            std::fabs(actualNumber - expectedNumber) <= tolerance)
            return;
    } else if (actual == line.words[2]) {
        return;
    }
    throw ScenarioError("expected " + name + " " + line.words[2] + ", but it is " + actual);
}
