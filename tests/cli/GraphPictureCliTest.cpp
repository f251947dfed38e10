// lorvanel-cli graph --png and --svg for all five kinds: pictures of the requested size,
// SVG that is a whole document, one picture option at a time, nothing left on failure.
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifdef LORVANEL_CLI_PNG

namespace {

using lorvanel::testing::CliResult;
using lorvanel::testing::readFile;
using lorvanel::testing::runCli;

const std::string kLog =
    std::string(LORVANEL_SOURCE_DIR) + "/tests/data/graph-series/calendar-new-year/log.txt";

} // namespace

TEST(GraphPictureCli, EveryKindWritesPngAndSvg) {
    lorvanel::testing::TempDir dir;
    for (const char* kind : {"0", "1", "2", "3", "4"}) {
        SCOPED_TRACE(kind);
        const std::string png = dir.file(std::string("g") + kind + ".png");
        CliResult r = runCli({"graph", "--kind", kind, "--size", "500x300", "--png", png, kLog});
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string bytes = readFile(png);
        ASSERT_GE(bytes.size(), 24u);
        EXPECT_EQ(bytes.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
        EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\x01\xf4\0\0\x01\x2c", 8)); // 500 x 300

        const std::string svg = dir.file(std::string("g") + kind + ".svg");
        r = runCli({"graph", "--kind", kind, "--svg", svg, kLog});
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string text = readFile(svg);
        EXPECT_EQ(text.rfind("<?xml", 0), 0u);
        EXPECT_NE(text.find("viewBox=\"0 0 640 480\""), std::string::npos);
        EXPECT_NE(text.find("</svg>"), std::string::npos);
    }
}

TEST(GraphPictureCli, OnePictureAtATimeAndNothingLeftOnFailure) {
    lorvanel::testing::TempDir dir;
    EXPECT_EQ(runCli({"graph", "--kind", "3", "--png", dir.file("a.png"), "--svg",
                      dir.file("a.svg"), kLog})
                  .status,
              2);
    EXPECT_EQ(runCli({"graph", "--kind", "4", "--series", "--svg", dir.file("a.svg"), kLog}).status,
              2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.svg")));

    const std::string nowhere = dir.file("no-such-dir/g.svg");
    const CliResult bad = runCli({"graph", "--kind", "3", "--svg", nowhere, kLog});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("lorvanel-cli: " + nowhere + ": "), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("no-such-dir")));
}

#endif
