// The log file: header, timestamps, per-entry appends, cut formatted entries.
#include "base/log.h"

#include "app/temp_files.h"
#include "scratch_dirs.h"

#include <gtest/gtest.h>
#include <unistd.h>

using fwtest::readText;

namespace {
// A log path in a folder of its own, removed at exit.
std::string tempLog() {
    return fwtest::makeTempDir("fwlog") + "/test.log";
}
} // namespace

TEST(Log, TimestampFormatIsEnglishAndZeroPadded) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 5;
    t.tm_min = 3;
    t.tm_sec = 9;
    EXPECT_EQ(logTimestamp(t), "07-Dec-2026 05:03:09");
}

TEST(Log, OpenTruncatesAndWritesHeader) {
    std::string path = tempLog();
    { std::ofstream(path) << "old content\n"; }
    LogChannel log;
    logOpen(log, path);
    logEntry(log, "second");
    std::string text = readText(path);
    EXPECT_EQ(text.rfind("  ..... Initialising Logs .....\n", 0), 0u);
    EXPECT_EQ(text.find("old content"), std::string::npos);
    // every entry: "dd-Mon-yyyy hh:mm:ss - text"
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    ASSERT_GE(line.size(), 23u);
    EXPECT_EQ(line.substr(20), " - Log File Opened...");
    std::getline(lines, line);
    EXPECT_EQ(line.substr(20), " - second");
    unlink(path.c_str());
}

TEST(Log, UnopenedChannelWritesNothing) {
    std::string path = tempLog();
    LogChannel log;
    log.path = path;
    logEntry(log, "ignored");
    logf(log, "ignored %d", 1);
    EXPECT_EQ(readText(path), "");
    unlink(path.c_str());
}

TEST(Log, FormattedEntriesAreCutNotOverflowed) {
    std::string path = tempLog();
    LogChannel log;
    logOpen(log, path);
    std::string longName(1000, 'x');
    logf(log, "Opening: %s", longName.c_str());
    std::string text = readText(path);
    std::size_t start = text.rfind(" - Opening: ");
    ASSERT_NE(start, std::string::npos);
    std::string entry = text.substr(start + 3);
    EXPECT_EQ(entry.size(), static_cast<std::size_t>(kLogEntryMax) + 1); // text plus "\n"
    unlink(path.c_str());
}
