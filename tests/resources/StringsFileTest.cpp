// The bundle's localized texts, and the .strings reader the check relies on.

#include "resources/BundleNames.h"
#include "resources/StringsFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <stdexcept>

namespace {

using Entries = std::map<std::string, std::string>;

Entries readStrings(std::string_view language) {
    return StringsFile::read(
        (kBundleDirectory / (std::string(language) + ".lproj") / "Localizable.strings").string());
}

std::set<std::string> keysOf(const Entries& entries) {
    std::set<std::string> keys;
    for (const auto& entry : entries) keys.insert(entry.first);
    return keys;
}

// The code points of a UTF-8 text, or none when the text is not valid UTF-8.
std::optional<std::u32string> decodeUtf8(std::string_view text) {
    std::u32string result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xE  ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return std::nullopt;
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto continuation =
                static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((continuation & 0xC0) != 0x80) return std::nullopt;
            codePoint = (codePoint << 6) | (continuation & 0x3F);
        }
        result += codePoint;
        i += static_cast<std::size_t>(length);
    }
    return result;
}

bool containsArabicLetter(const std::u32string& text) {
    for (char32_t c : text) {
        if ((c >= 0x0620 && c <= 0x064A) || (c >= 0x066E && c <= 0x06D3)) return true;
    }
    return false;
}

TEST(StringsFileParser, ReadsEntriesCommentsAndEscapes) {
    const Entries entries = StringsFile::parse(
        "\xEF\xBB\xBF/* header\n spanning lines */\n"
        "\"plain\" = \"Plain\";\n"
        "// a line comment\n"
        "\"quote\"=\"say \\\"hi\\\"\\n\" ;\n"
        "  \"arabic\" /* between */ = \"إزالة\";");
    EXPECT_EQ(entries,
              (Entries{{"plain", "Plain"}, {"quote", "say \"hi\"\n"}, {"arabic", "إزالة"}}));
}

TEST(StringsFileParser, RejectsMalformedText) {
    for (const char* text : {"\"a\" = \"b\"", "\"a\" \"b\";", "\"a\" = \"b;", "/* open",
                             "a = \"b\";", "\"a\" = \"b\";\n\"a\" = \"c\";", "\"a\" = \"\\q\";"}) {
        EXPECT_THROW(StringsFile::parse(text), std::runtime_error) << text;
    }
}

TEST(StringsFileParser, NamesTheLineOfAFault) {
    try {
        StringsFile::parse("\"a\" = \"b\";\n\n\"c\" = ;\n");
        FAIL() << "accepted a missing value";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
    }
}

TEST(BundleStrings, EnglishHoldsEveryTextTheTweakShows) {
    const Entries expected = {
        {"Volume", "Volume"},
        {"Brightness", "Brightness"},
        {"Toggles", "Toggles"},
        {"orientationLock", "Orientation Lock"},
        {"cellular", "Cellular Data"},
        {"wifi", "Wi-Fi"},
        {"bluetooth", "Bluetooth"},
        {"airplane", "Airplane Mode"},
        {"dnd", "Do Not Disturb"},
        {"location", "Location Services"},
        {"autoBrightness", "Auto-Brightness"},
        {"autoLock", "Auto-Lock"},
        {"lowPower", "Low Power Mode"},
        {"nightShift", "Night Shift"},
        {"vpn", "VPN"},
        {"Remove", "Remove"},
    };
    EXPECT_EQ(readStrings("en"), expected);
}

TEST(BundleStrings, ArabicTranslatesEveryEnglishKey) {
    const Entries english = readStrings("en");
    const Entries arabic = readStrings("ar");
    EXPECT_EQ(keysOf(arabic), keysOf(english));
    for (const auto& [key, value] : arabic) {
        const std::optional<std::u32string> decoded = decodeUtf8(value);
        ASSERT_TRUE(decoded.has_value()) << key << " is not valid UTF-8";
        EXPECT_TRUE(containsArabicLetter(*decoded))
            << key << " = " << value << " has no Arabic letter";
    }
}

}  // namespace
