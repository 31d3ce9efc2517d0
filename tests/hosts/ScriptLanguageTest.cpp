// The pieces both hosts' script languages are made of: the command table, the quantity table
// with `expect` and `show`, the word parsers and the player's line loop.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "QuantityTable.h"
#include "ScriptError.h"
#include "ScriptPlayer.h"
#include "ScriptWords.h"

namespace {

using namespace std::string_literals;

// A small language: what ran is recorded, in order.
struct Language {
    std::vector<std::string> ran;
    CommandTable commands;
    QuantityTable quantities;
    std::ostringstream out;

    Language() {
        auto record = [this](const ScriptLine& line) { ran.push_back(line.text); };
        commands.add({{"tap remove", "", record, "taps remove"},
                      {"tap", "<toggleName>", record, "taps a toggle"},
                      {"choose", "<title…>", record, "chooses a row"}});
        commands.add(quantities.commands(out));
        quantities.add(
            {{"volume", false, [](const std::string&) { return QuantityValue(0.5); }, "the volume"},
             {"switch.<name>", false,
              [](const std::string& name) { return QuantityValue(name + "-on"); }, "a switch"},
             {"menu.items", true,
              [](const std::string&) { return QuantityValue("Volume|Share Location"s); },
              "the items"}});
    }

    // Plays `script`; answers the exit status, with the errors in `errors`.
    int play(const std::string& script, std::string* errors = nullptr) {
        std::istringstream input(script);
        std::ostringstream messages;
        ScriptPlayer player(commands, out, false);
        const int status = player.play(input, messages);
        if (errors) *errors = messages.str();
        return status;
    }
};

}  // namespace

TEST(CommandTable, TheLongestNameWinsAndAWrongLineListsEveryFormOfItsCommand) {
    Language language;
    EXPECT_EQ(language.play("tap remove\ntap wifi\nchoose Directions Home\n"), 0);
    EXPECT_EQ(language.ran,
              (std::vector<std::string>{"tap remove", "tap wifi", "choose Directions Home"}));

    std::string errors;
    EXPECT_EQ(language.play("tap wifi now\n", &errors), 1);
    EXPECT_EQ(errors, "line 1: tap wifi now\n  expected: tap remove | tap <toggleName>\n");
    EXPECT_EQ(language.play("choose\n", &errors), 1);
    EXPECT_NE(errors.find("expected: choose <title…>"), std::string::npos) << errors;
    EXPECT_EQ(language.play("# nothing\n\nfly away\n", &errors), 1);
    EXPECT_EQ(errors, "line 3: fly away\n  unknown command 'fly'\n");
}

TEST(CommandTable, HelpListsEveryCommandWithItsWordsInTheOrderAdded) {
    Language language;
    const std::string help = language.commands.help();
    const auto remove = help.find("tap remove");
    const auto toggle = help.find("tap <toggleName>");
    const auto show = help.find("show <quantity>");
    ASSERT_NE(remove, std::string::npos) << help;
    ASSERT_NE(show, std::string::npos) << help;
    EXPECT_LT(remove, toggle);
    EXPECT_LT(toggle, show);
    EXPECT_NE(help.find("expect <quantity> <value…> [<tolerance>]"), std::string::npos) << help;
}

TEST(ScriptPlayer, AWordWithANulByteOrInvalidUtf8IsRefusedNamingTheLine) {
    Language language;
    std::string errors;
    EXPECT_EQ(language.play("tap wifi\ntap wi\0fi\n"s, &errors), 1);
    EXPECT_EQ(errors, "line 2: tap wi\\x00fi\n  word 2 holds a NUL byte\n");
    EXPECT_EQ(language.ran, std::vector<std::string>{"tap wifi"});

    for (const std::string& bad :
         {"\xff"s, "\xc3"s, "\xc0\xaf"s, "\xed\xa0\x80"s, "\xf4\x90\x80\x80"s}) {
        EXPECT_EQ(language.play("choose Maps " + bad + "\n", &errors), 1) << bad;
        EXPECT_NE(errors.find("line 1: "), std::string::npos);
        EXPECT_NE(errors.find("word 3 is not valid UTF-8"), std::string::npos) << errors;
    }
    // Text in any script is fine: accents, dashes, emoji.
    EXPECT_EQ(language.play("choose Café — 🎵\n"), 0);
}

TEST(QuantityTable, ExpectHoldsWithinTheToleranceAndRefusesWhatCouldNeverFail) {
    Language language;
    EXPECT_EQ(
        language.play("expect volume 0.5\nexpect volume 0.45 0.1\n"
                      "expect switch.wifi wifi-on\nexpect menu.items Volume|Share Location\n"),
        0);
    std::string errors;
    EXPECT_EQ(language.play("expect volume 0.9\n", &errors), 1);
    EXPECT_NE(errors.find("expected volume 0.9, but it is 0.5"), std::string::npos) << errors;
    // An infinite or not-a-number tolerance or value would make the line pass or fail always.
    for (const char* line :
         {"expect volume 0.9 inf\n", "expect volume 0.9 nan\n", "expect volume nan\n",
          "expect volume 0.9 -1\n", "expect volume 0.9 1e999\n"}) {
        EXPECT_EQ(language.play(line, &errors), 1) << line;
    }
    // Extra words are refused, not ignored.
    EXPECT_EQ(language.play("expect volume 0.5 0.1 7\n", &errors), 1);
    EXPECT_EQ(language.play("expect switch.wifi wifi-on 7\n", &errors), 1);
    EXPECT_EQ(language.play("expect menu.items Volume|Share Location 7\n", &errors), 1);
    EXPECT_EQ(language.play("expect loudness 1\n", &errors), 1);
    EXPECT_NE(errors.find("unknown quantity 'loudness'"), std::string::npos) << errors;
}

TEST(QuantityTable, ShowWritesTheNameAndTheValueExpectWouldSee) {
    Language language;
    EXPECT_EQ(language.play("show volume\nshow switch.bluetooth\nshow menu.items\n"), 0);
    EXPECT_EQ(language.out.str(),
              "volume 0.5\nswitch.bluetooth bluetooth-on\nmenu.items Volume|Share Location\n");
    std::string errors;
    EXPECT_EQ(language.play("show switch.\n", &errors), 1) << "a family needs its last part";
}

TEST(ScriptWords, EveryNumberIsFiniteAndWithinItsRange) {
    EXPECT_DOUBLE_EQ(ScriptWords::number("-2.5", "offset"), -2.5);
    for (const char* word : {"nan", "inf", "-inf", "1e999", "", "1.5x", "0x"})
        EXPECT_THROW(ScriptWords::number(word, "number"), ScriptError) << word;
    EXPECT_DOUBLE_EQ(ScriptWords::level("1"), 1.0);
    EXPECT_THROW(ScriptWords::level("1.01"), ScriptError);
    EXPECT_THROW(ScriptWords::level("nan"), ScriptError);
    EXPECT_DOUBLE_EQ(ScriptWords::seconds("0"), 0.0);
    EXPECT_THROW(ScriptWords::seconds("-0.1"), ScriptError);
    EXPECT_THROW(ScriptWords::seconds("1e10"), ScriptError);
    EXPECT_EQ(ScriptWords::integer("-3", "state", -5, 5), -3);
    EXPECT_THROW(ScriptWords::integer("99999999999999999999", "state", INT64_MIN, INT64_MAX),
                 ScriptError);
    EXPECT_THROW(ScriptWords::integer("6", "state", -5, 5), ScriptError);
    EXPECT_THROW(ScriptWords::integer("2.0", "state", -5, 5), ScriptError);
}
