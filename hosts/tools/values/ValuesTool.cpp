#include "ValuesTool.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "EditCommand.h"
#include "ImportPlan.h"
#include "ValuesExport.h"
#include "ValuesImport.h"
#include "core/files/RootedFiles.h"
#include "core/notify/NotifyCenter.h"
#include "core/plist/PlistReader.h"
#include "core/preferences/PreferenceFileCache.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "shared/MorvaneIdentifiers.h"

namespace {

using morvane::identifiers::kReloadNotification;
using morvane::identifiers::kValuesFileDevicePath;

int fail(const std::string& message) {
    std::fprintf(stderr, "ValuesEditor: %s\n", message.c_str());
    return 1;
}

}  // namespace

int ValuesTool::run(const ValuesCommand& command) {
    switch (command.action) {
        case ValuesCommand::Action::Edit:
            return edit(command);
        case ValuesCommand::Action::List:
            return list(command);
        case ValuesCommand::Action::Export:
            return exportValues(command);
        case ValuesCommand::Action::Import:
            return importValues(command);
        case ValuesCommand::Action::Help:
            break;
    }
    std::fputs(ValuesCommand::usage(), stdout);
    return 0;
}

std::optional<core::PlistDictionary> ValuesTool::readValuesFile() {
    if (auto values = core::PreferenceFileCache::read(kValuesFileDevicePath)) return values;
    errno = 0;
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) {
        fail("the device root cannot be opened");
        return std::nullopt;
    }
    if (!files->readFile(kValuesFileDevicePath) && errno == ENOENT) return core::PlistDictionary{};
    fail(std::string(kValuesFileDevicePath) + " cannot be read (not a property-list dictionary)");
    return std::nullopt;
}

int ValuesTool::writeChange(const std::function<void(core::PlistDictionary&)>& change) {
    const auto update =
        core::PreferenceFileUpdate::apply(kValuesFileDevicePath, change, core::PlistFormat::Xml);
    if (!update.message.empty()) std::fprintf(stderr, "ValuesEditor: %s\n", update.message.c_str());
    if (!update.written()) return 1;
    if (core::NotifyCenter::post(kReloadNotification)) return 0;
    return fail(std::string("written, but ") + kReloadNotification + " could not be posted");
}

int ValuesTool::edit(const ValuesCommand& command) {
    return writeChange(
        [&](core::PlistDictionary& values) { EditCommand::apply(values, command.editWords); });
}

int ValuesTool::list(const ValuesCommand& command) {
    const auto file = readValuesFile();
    if (!file) return 1;
    const auto apps = morvane::app_values::readAppValues(*file);
    std::fputs((command.json ? ValuesExport::json(apps) : ValuesExport::table(apps)).c_str(),
               stdout);
    return 0;
}

int ValuesTool::exportValues(const ValuesCommand& command) {
    const auto file = readValuesFile();
    if (!file) return 1;
    const auto apps = morvane::app_values::readAppValues(*file);
    std::string bytes = command.form == ValuesCommand::Form::Json  ? ValuesExport::json(apps)
                        : command.form == ValuesCommand::Form::Xml ? ValuesExport::xml(apps)
                                                                   : ValuesExport::binary(apps);
    if (bytes.empty()) return fail("the values cannot be written in that form");
    if (!command.file || *command.file == "-") {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::cout.flush();
        return std::cout ? 0 : fail("standard output could not be written");
    }
    if (const std::string problem = _files.write(*command.file, bytes); !problem.empty())
        return fail(problem);
    return 0;
}

std::optional<std::string> ValuesTool::readInput(const std::string& file) const {
    if (file == "-")
        return std::string(std::istreambuf_iterator<char>(std::cin),
                           std::istreambuf_iterator<char>());
    PlistFiles::Read read = _files.read(file);
    if (!read.bytes) fail(file + ": " + read.problem);
    return std::move(read.bytes);
}

int ValuesTool::importValues(const ValuesCommand& command) {
    const auto bytes = readInput(*command.file);
    if (!bytes) return 1;
    ValuesImport::Read imported = ValuesImport::read(*bytes);
    if (!imported.apps) return fail(*command.file + ": " + imported.problem + "; nothing imported");
    const ImportPlan plan(std::move(*imported.apps), command.replace);
    if (command.dryRun) {
        const auto file = readValuesFile();
        if (!file) return 1;
        std::fputs(plan.describeChanges(*file).c_str(), stdout);
        return 0;
    }
    return writeChange([&](core::PlistDictionary& values) { plan.apply(values); });
}
