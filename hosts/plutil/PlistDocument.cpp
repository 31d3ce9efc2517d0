#include "PlistDocument.h"

#include <charconv>

#include "JsonForm.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

using Form = PlutilCommand::Form;

namespace {

std::string_view withoutLeadingSpace(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start == std::string_view::npos ? std::string_view() : bytes.substr(start);
}

bool looksLikeJson(std::string_view bytes) {
    const std::string_view text = withoutLeadingSpace(bytes);
    return text.starts_with('{') || text.starts_with('[');
}

// A string, number or boolean as plain text with a final newline.
std::string rawText(const core::PlistValue& value) {
    if (const auto* text = value.asString()) return *text + "\n";
    if (const auto flag = value.asBool()) return *flag ? "true\n" : "false\n";
    if (value.isLargeUnsignedInteger()) return std::to_string(*value.asUnsignedInteger()) + "\n";
    if (const auto integer = value.asInteger()) return std::to_string(*integer) + "\n";
    if (const auto real = value.asReal()) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, *real).ptr;
        return std::string(text, end) + "\n";
    }
    throw EncodeError("raw prints only a string, a number or a boolean");
}

}  // namespace

std::optional<PlistDocument> PlistDocument::parse(std::string_view bytes) {
    if (auto value = core::parsePropertyListStrictly(bytes)) {
        return PlistDocument{std::move(*value), bytes.starts_with("bplist") ? Form::Binary : Form::Xml};
    }
    if (!bytes.starts_with("bplist") && looksLikeJson(bytes)) {
        if (auto value = JsonForm::read(bytes)) return PlistDocument{std::move(*value), Form::Json};
    }
    return std::nullopt;
}

std::string PlistDocument::describeProblem(std::string_view bytes) {
    if (withoutLeadingSpace(bytes).empty()) return "the file is empty";
    if (bytes.starts_with("bplist")) return "not a valid binary property list";
    if (bytes.find("<!ENTITY") != std::string_view::npos)
        return "the XML declares entities, which are not accepted";
    if (looksLikeJson(bytes)) return "not valid JSON for a property list";
    return "not a valid property list (malformed XML, or too large or too deep)";
}

std::string PlistDocument::encode(const core::PlistValue& value, Form form) {
    switch (form) {
        case Form::Json:
            try {
                return JsonForm::write(value);
            } catch (const JsonFormError& error) {
                throw EncodeError(error.what());
            }
        case Form::Raw:
            return rawText(value);
        case Form::Binary: {
            std::string bytes = core::toBinaryPropertyList(value);
            if (bytes.empty()) throw EncodeError("the value is too large or too deep to write");
            return bytes;
        }
        case Form::Xml:
            break;
    }
    core::EncodedPropertyList encoded = core::encodePropertyList(value, core::PlistFormat::Xml);
    if (encoded.format != core::PlistFormat::Xml || encoded.bytes.empty())
        throw EncodeError(
            "XML cannot carry this value without loss (a control character in a string, a date "
            "with a fraction of a second, or too large or too deep)");
    return std::move(encoded.bytes);
}
