#include "CommandTable.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "ScriptError.h"

namespace {

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool isRepeated(const std::string& word) {
    return word.find("…") != std::string::npos;
}

// The columns a text takes on a terminal: one a character, not one a byte.
std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

}  // namespace

void CommandTable::add(ScriptCommand command) {
    Entry entry{std::move(command), {}, 0, 0};
    entry.nameWords = split(entry.command.name);
    for (const std::string& word : split(entry.command.words)) {
        const bool optional = word.front() == '[';
        constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();
        if (isRepeated(word) || entry.mostWords == kAny) {
            entry.mostWords = kAny;
        } else {
            ++entry.mostWords;
        }
        if (!optional) ++entry.fewestWords;
    }
    _entries.push_back(std::move(entry));
}

void CommandTable::add(std::vector<ScriptCommand> commands) {
    for (auto& command : commands) add(std::move(command));
}

const CommandTable::Entry* CommandTable::match(const ScriptLine& line) const {
    const Entry* best = nullptr;
    for (const Entry& entry : _entries) {
        const auto& name = entry.nameWords;
        if (line.words.size() < name.size() ||
            !std::equal(name.begin(), name.end(), line.words.begin()))
            continue;
        if (!best || name.size() > best->nameWords.size()) best = &entry;
    }
    if (!best) return nullptr;
    const std::size_t count = line.words.size() - best->nameWords.size();
    return count >= best->fewestWords && count <= best->mostWords ? best : nullptr;
}

void CommandTable::run(const ScriptLine& line) const {
    if (const Entry* entry = match(line)) {
        entry->command.handler(line);
        return;
    }
    std::string forms;
    for (const Entry& entry : _entries) {
        if (entry.nameWords.front() != line.words.front()) continue;
        forms += (forms.empty() ? "" : " | ") + form(entry);
    }
    if (forms.empty()) throw ScriptError("unknown command '" + line.words.front() + "'");
    throw ScriptError("expected: " + forms);
}

std::string CommandTable::form(const Entry& entry) {
    return entry.command.words.empty() ? entry.command.name
                                       : entry.command.name + " " + entry.command.words;
}

std::string CommandTable::help() const {
    std::size_t width = 0;
    for (const Entry& entry : _entries) width = std::max(width, columns(form(entry)));
    std::string text;
    for (const Entry& entry : _entries) {
        const std::string shown = form(entry);
        text +=
            "  " + shown + std::string(width - columns(shown) + 2, ' ') + entry.command.help + "\n";
    }
    return text;
}
