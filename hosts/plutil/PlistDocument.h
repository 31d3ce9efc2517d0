#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "PlutilCommand.h"
#include "core/plist/PlistValue.h"

// The content of a property-list file and the form it was in: XML, binary or JSON.
struct PlistDocument {
    core::PlistValue value;
    PlutilCommand::Form form = PlutilCommand::Form::Xml;

    // Reads bytes in whichever form they are; none when they are none of them.
    static std::optional<PlistDocument> parse(std::string_view bytes);
    // What is wrong with bytes that do not parse, for a user.
    static std::string describeProblem(std::string_view bytes);

    // The value in form (XML, binary, JSON, or plain text for a string, number or boolean).
    // Throws EncodeError when the form cannot carry the value without loss.
    static std::string encode(const core::PlistValue& value, PlutilCommand::Form form);
};

class EncodeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
