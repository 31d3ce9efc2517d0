// Our files against readers and writers nobody here wrote: Python's plistlib and libplist's
// plistutil.
#include "PlistTestSupport.h"

#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

#include <gtest/gtest.h>

#include <limits>

using core::PlistArray;
using core::PlistDictionary;
using core::PlistFormat;
using core::PlistValue;

namespace {

PlistValue settingsLikeValue() {
    return PlistDictionary{
        {"volume", 0.3f},
        {"brightness", 0.75},
        {"third", 1.0 / 3.0},
        {"whole", 2.0},
        {"enabled", true},
        {"disabled", false},
        {"count", 42},
        {"negative", -123456789},
        {"large", std::int64_t{9007199254740993}},
        {"minimum", std::numeric_limits<std::int64_t>::min()},
        {"unsignedMaximum", std::numeric_limits<std::uint64_t>::max()},
        {"greeting", "café ☕ مرحبا"},
        {"markup", "a & b < c > d"},
        {"bytes", PlistValue::data(core::PlistBytes(100, 0xA5))},
        {"when", PlistValue::date(730902896.0)},
        {"emptyDictionary", PlistDictionary{}},
        {"emptyArray", PlistArray{}},
        {"com.example.app-toggles", PlistDictionary{{"wifi", 1}, {"bluetooth", 0}, {"dnd", 1}}},
        {"nested", PlistDictionary{{"list", PlistArray{1, "two", 0.5f,
                                                       PlistDictionary{{"deep", PlistArray{}}}}}}},
    };
}

std::string formatName(PlistFormat format) {
    return format == PlistFormat::Xml ? "xml" : "bin";
}

class PlistPeers : public testing::TestWithParam<PlistFormat> {
  protected:
    void SetUp() override {
        if (!plisttest::commandExists("python3") ||
            !plisttest::runCommand("python3 -c 'import plistlib' 2>/dev/null"))
            GTEST_SKIP()
                << "python3 with plistlib is not installed (scripts/install-deps installs it)";
        plisttest::writeBytes(
            _directory / "dump.py",
            std::string(plisttest::kPythonDumpFunction) +
                "with open(sys.argv[1], 'rb') as f: print(dump(plistlib.load(f)))\n");
    }

    std::optional<std::string> pythonDump(const std::filesystem::path& file) {
        auto output = plisttest::runCommand("python3 " + (_directory / "dump.py").string() + " " +
                                            file.string());
        if (output && !output->empty() && output->back() == '\n') output->pop_back();
        return output;
    }

    plisttest::TempDirectory _directory;
};

}  // namespace

TEST_P(PlistPeers, PlistlibReadsOurFilesToTheSameValues) {
    const auto file = _directory / ("ours." + formatName(GetParam()));
    ASSERT_TRUE(core::writePropertyListFile(file, settingsLikeValue(), GetParam()));
    const auto dump = pythonDump(file);
    ASSERT_TRUE(dump) << "plistlib could not load our file";
    EXPECT_EQ(*dump, plisttest::canonicalDump(settingsLikeValue()));
}

TEST_P(PlistPeers, PlistlibReadsOurSinglePrecisionAsTheWidenedFloat) {
    const auto file = _directory / ("volume." + formatName(GetParam()));
    ASSERT_TRUE(core::writePropertyListFile(file, PlistDictionary{{"volume", 0.3f}}, GetParam()));
    plisttest::writeBytes(
        _directory / "volume.py",
        "import plistlib, sys\nprint(repr(plistlib.load(open(sys.argv[1], 'rb'))['volume']))\n");
    EXPECT_EQ(plisttest::runCommand("python3 " + (_directory / "volume.py").string() + " " +
                                    file.string()),
              "0.30000001192092896\n");
}

TEST_P(PlistPeers, WeReadPlistlibFilesToTheSameValues) {
    const auto file = _directory / ("theirs." + formatName(GetParam()));
    const std::string script = std::string(plisttest::kPythonDumpFunction) + R"PY(
value = {
    "volume": struct.unpack(">f", struct.pack(">f", 0.3))[0], "ratio": 0.1, "whole": 3.0,
    "nan": float("nan"), "inf": float("inf"), "flag": True, "off": False,
    "int": -5, "small": 7, "big": 2**63 + 5, "minimum": -2**63, "maximum": 2**64 - 1,
    "text": "café ☕ مرحبا & <x>", "emoji": "😀", "bytes": bytes(range(256)),
    "when": datetime.datetime(2024, 2, 29, 12, 34, 56), "old": datetime.datetime(1999, 12, 31, 23, 59, 59),
    "nested": {"empty": {}, "list": [1, 2.5, "x", [], {"deep": [True]}]},
}
fmt = plistlib.FMT_XML if sys.argv[2] == "xml" else plistlib.FMT_BINARY
with open(sys.argv[1], "wb") as f: plistlib.dump(value, f, fmt=fmt)
print(dump(value))
)PY";
    plisttest::writeBytes(_directory / "write.py", script);
    auto expected = plisttest::runCommand("python3 " + (_directory / "write.py").string() + " " +
                                          file.string() + " " + formatName(GetParam()));
    ASSERT_TRUE(expected) << "plistlib could not write the file";
    expected->pop_back();
    const auto value = core::readPropertyListFile(file);
    ASSERT_TRUE(value) << "we could not read plistlib's file";
    EXPECT_EQ(plisttest::canonicalDump(*value), *expected);
}

TEST_P(PlistPeers, PlistutilConvertsOurFilesBothWaysAndBack) {
    if (!plisttest::commandExists("plistutil"))
        GTEST_SKIP() << "plistutil (Debian libplist-utils) is not installed (scripts/install-deps "
                        "installs it)";
    const auto ours = _directory / ("ours." + formatName(GetParam()));
    ASSERT_TRUE(core::writePropertyListFile(ours, settingsLikeValue(), GetParam()));
    for (const PlistFormat target : {PlistFormat::Xml, PlistFormat::Binary}) {
        const auto converted = _directory / ("converted." + formatName(target));
        ASSERT_TRUE(plisttest::runCommand("plistutil -i " + ours.string() + " -o " +
                                          converted.string() + " -f " + formatName(target)))
            << "plistutil refused our " << formatName(GetParam()) << " file";
        const auto value = core::readPropertyListFile(converted);
        ASSERT_TRUE(value) << "we could not read plistutil's " << formatName(target) << " output";
        EXPECT_EQ(plisttest::canonicalDump(*value), plisttest::canonicalDump(settingsLikeValue()))
            << "through plistutil's " << formatName(target);
    }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, PlistPeers,
                         testing::Values(PlistFormat::Xml, PlistFormat::Binary),
                         [](const auto& info) {
                             return info.param == PlistFormat::Xml ? "Xml" : "Binary";
                         });

TEST(PlistPeerXml, OurXmlIsByteForBytePlistlibsXml) {
    if (!plisttest::commandExists("python3"))
        GTEST_SKIP() << "python3 is not installed (scripts/install-deps installs it)";
    // Integral reals aside (plistlib writes 2.0 where the phone writes 2), plistlib writes
    // the phone's XML layout exactly: the same header, indentation, escaping and data lines.
    PlistDictionary value = *settingsLikeValue().asDictionary();
    value.remove("whole");
    plisttest::TempDirectory directory;
    ASSERT_TRUE(core::writePropertyListFile(directory / "ours.plist", value, PlistFormat::Xml));
    plisttest::writeBytes(directory / "rewrite.py",
                          "import plistlib, sys\n"
                          "v = plistlib.load(open(sys.argv[1], 'rb'))\n"
                          "sys.stdout.buffer.write(plistlib.dumps(v, fmt=plistlib.FMT_XML))\n");
    const auto theirs = plisttest::runCommand("python3 " + (directory / "rewrite.py").string() +
                                              " " + (directory / "ours.plist").string());
    ASSERT_TRUE(theirs);
    EXPECT_EQ(plisttest::readBytes(directory / "ours.plist"), *theirs);
}
