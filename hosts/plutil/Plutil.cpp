#include "Plutil.h"

#include <unistd.h>

#include "KeyPath.h"
#include "PlistPrinter.h"
#include "TypedValue.h"
#include "core/files/AtomicFile.h"

using Action = PlutilCommand::Action;
using Form = PlutilCommand::Form;
using core::PlistValue;

namespace {

core::PlistFormat fileFormat(Form form) {
    return form == Form::Binary ? core::PlistFormat::Binary : core::PlistFormat::Xml;
}

}  // namespace

int Plutil::fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

std::optional<PlistDocument> Plutil::load(const std::string& path) {
    const PlistFiles::Read read = _files.read(path);
    if (!read.bytes) {
        fail(path + ": " + read.problem);
        return std::nullopt;
    }
    auto document = PlistDocument::parse(*read.bytes);
    if (!document) fail(path + ": " + PlistDocument::describeProblem(*read.bytes));
    return document;
}

int Plutil::run(const PlutilCommand& command) {
    switch (command.action) {
        case Action::Lint:
            return lint(command);
        case Action::Print:
            return print(command.files.front());
        case Action::Convert:
            return convert(command);
        case Action::Extract:
            return extract(command);
        default:
            return edit(command);
    }
}

int Plutil::lint(const PlutilCommand& command) {
    int status = 0;
    for (const std::string& path : command.files) {
        const PlistFiles::Read read = _files.read(path);
        std::string verdict = "OK";
        if (!read.bytes)
            verdict = read.problem;
        else if (!PlistDocument::parse(*read.bytes))
            verdict = PlistDocument::describeProblem(*read.bytes);
        if (verdict != "OK") status = 1;
        std::printf("%s: %s\n", path.c_str(), verdict.c_str());
    }
    return status;
}

int Plutil::print(const std::string& path) {
    const auto document = load(path);
    if (!document) return 1;
    return emit("-", PlistPrinter::print(document->value));
}

int Plutil::emit(const std::string& output, const std::string& bytes) {
    if (output != "-") {
        const std::string problem = _files.write(output, bytes);
        return problem.empty() ? 0 : fail(problem);
    }
    std::fflush(stdout);
    return core::writeAll(STDOUT_FILENO, bytes) ? 0 : fail("could not write to standard output");
}

int Plutil::convert(const PlutilCommand& command) {
    if (!command.output) {
        int status = 0;
        for (const std::string& path : command.files) status |= convertInPlace(path, command.form);
        return status;
    }
    const std::string& path = command.files.front();
    const auto document = load(path);
    if (!document) return 1;
    try {
        return emit(*command.output, PlistDocument::encode(document->value, command.form));
    } catch (const EncodeError& error) {
        return fail(path + ": " + error.what());
    }
}

int Plutil::convertInPlace(const std::string& path, Form form) {
    const auto document = load(path);
    if (!document) return 1;
    return rewrite(path, *document, form, [](PlistValue&) {});
}

int Plutil::extract(const PlutilCommand& command) {
    const std::string& path = command.files.front();
    const auto document = load(path);
    if (!document) return 1;
    const PlistValue* value = KeyPath(command.keyPath).find(document->value);
    if (!value) return fail(path + ": no value at key path '" + command.keyPath + "'");
    try {
        return emit(command.output.value_or("-"), PlistDocument::encode(*value, command.form));
    } catch (const EncodeError& error) {
        return fail(path + ": " + error.what());
    }
}

int Plutil::edit(const PlutilCommand& command) {
    const std::string& path = command.files.front();
    std::optional<PlistValue> newValue;
    try {
        if (command.action != Action::Remove)
            newValue = TypedValue::parse(command.valueType, command.valueText);
    } catch (const TypedValueError& error) {
        return fail(error.what());
    }
    const auto document = load(path);
    if (!document) return 1;
    const KeyPath keyPath(command.keyPath);
    const Action action = command.action;
    return rewrite(path, *document, document->form, [&](PlistValue& root) {
        if (action == Action::Insert) keyPath.insert(root, *newValue);
        if (action == Action::Replace) keyPath.replace(root, *newValue);
        if (action == Action::Remove) keyPath.remove(root);
    });
}

// Writes the changed document over path in form; a device root's preference file by the
// writers' rule, so that a change another process made since it was read is kept.
int Plutil::rewrite(const std::string& path, const PlistDocument& document, Form form,
                    const std::function<void(PlistValue&)>& change) {
    // (A JSON file in a preferences folder is no preference file the phone reads.)
    if (PlistFiles::isPreferenceFile(path) && document.value.asDictionary() &&
        document.form != Form::Json) {
        if (form == Form::Json)
            return fail(path + ": a preference file is not turned into JSON (the phone could "
                               "no longer read it)");
        return rewritePreferences(path, form, change);
    }
    try {
        PlistValue value = document.value;
        change(value);
        const std::string problem = _files.write(path, PlistDocument::encode(value, form));
        return problem.empty() ? 0 : fail(problem);
    } catch (const std::exception& error) {
        return fail(path + ": " + error.what());
    }
}

int Plutil::rewritePreferences(const std::string& path, Form form,
                               const std::function<void(PlistValue&)>& change) {
    const auto result = _files.updatePreferences(
        path,
        [&](core::PlistDictionary& values) {
            PlistValue root(std::move(values));
            change(root);
            // XML stays XML: a value it cannot carry is refused, never written as binary.
            if (form == Form::Xml) PlistDocument::encode(root, Form::Xml);
            values = std::move(*root.mutableDictionary());
        },
        fileFormat(form));
    if (!result.keptAsideAs.empty()) std::fprintf(stderr, "%s\n", result.message.c_str());
    return result.written() ? 0 : fail(result.message);
}
