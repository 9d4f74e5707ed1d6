// Configuration primitives: line formats, key matching, missing files, safe rewrite, locale.
#include "app/config.h"

#include "config_fixture.h"
#include "unprivileged.h"

#include <clocale>
#include <csignal>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace fwtest;

namespace {

// Named through configSetFileName, which logs the name.
struct ConfigFixture : ConfigScratch {
    ConfigFixture() { configSetFileName(config, dir + "Config.ini"); }
};

int filesIn(const std::string& dir) {
    int n = 0;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') ++n;
        closedir(d);
    }
    return n;
}

} // namespace

TEST(Config, WritesAndReadsBackWithExactLinesAndLogs) {
    ConfigFixture f;
    EXPECT_TRUE(contains(f.logText(), " - Setting Config Filename: " + f.dir + "Config.ini\n"));
    configWriteHeader(f.config);
    configWriteInt(f.config, "Count", -42);
    configWriteFloat(f.config, "Level", 0.25f);
    configWriteText(f.config, "Name", "two words");
    EXPECT_EQ(readText(f.config.path),
              "[config]\n\nCount = -42\nLevel = 0.250000\nName = two words\n");

    EXPECT_EQ(configReadInt(f.config, "Count"), -42);
    EXPECT_FLOAT_EQ(configReadFloat(f.config, "Level"), 0.25f);
    std::string name;
    EXPECT_TRUE(configReadText(f.config, "Name", name));
    EXPECT_EQ(name, "two words");

    const std::string log = f.logText();
    EXPECT_TRUE(contains(log, " - Writing INT Config Value: Count - Value detected: -42\n"));
    EXPECT_TRUE(contains(log, " - Writing FLOAT Config Value: Level - Value detected: 0.250000\n"));
    EXPECT_TRUE(
        contains(log, " - Writing STRING Config Value: Name - Value detected: two words\n"));
    EXPECT_TRUE(contains(log, " - Reading Integer Config Value: Count - Value detected: -42\n"));
    EXPECT_TRUE(contains(log, " - Reading FLOAT Config Value: Level - Value detected: 0.250000\n"));
    EXPECT_TRUE(
        contains(log, " - Reading STRING Config Value: Name - Value detected: two words\n"));

    // The header write starts the file afresh.
    configWriteHeader(f.config);
    EXPECT_EQ(readText(f.config.path), "[config]\n\n");
}

TEST(Config, MissingFileGivesSentinelsAndLogsEveryFailure) {
    ConfigFixture f;
    configSetFileName(f.config, f.dir + "absent/Config.ini");
    std::string text = "unchanged";
    EXPECT_EQ(configReadInt(f.config, "WindowX"), -1);
    EXPECT_EQ(configReadFloat(f.config, "BackgroundR"), 0.0f);
    EXPECT_FALSE(configReadText(f.config, "Name", text));
    EXPECT_EQ(text, "unchanged");
    configWriteInt(f.config, "WindowX", 3); // the folder is missing, so this cannot open either

    const std::string error =
        " - ERROR: Failed to open config File: " + f.dir + "absent/Config.ini\n";
    const std::string log = f.logText();
    int errors = 0;
    for (std::size_t at = log.find(error); at != std::string::npos; at = log.find(error, at + 1))
        ++errors;
    EXPECT_EQ(errors, 4);
    EXPECT_FALSE(contains(log, "Writing INT"));

    // A key absent from an existing file is missing too, and logs nothing.
    configSetFileName(f.config, f.dir + "Config.ini");
    writeText(f.config.path, "[config]\n\nOther = 1\n");
    EXPECT_EQ(configReadInt(f.config, "WindowX"), -1);
    EXPECT_EQ(configReadFloat(f.config, "WindowX"), 0.0f);
    EXPECT_FALSE(contains(f.logText(), "WindowX - Value detected"));
}

TEST(Config, KeyMatching) {
    ConfigFixture f;
    writeText(f.config.path, "[Config]\n"
                             "\n"
                             "Tight=5\n"
                             "tight = 6\n"
                             "Prefixed = 1\n"
                             "  Indented   =\t7  \n"
                             "Twice = 1\n"
                             "Twice = 2\n"
                             "Valued = 7\n"
                             "Broken = oops\n"
                             "NoEquals 9\n"
                             "Partial = 12abc\n"
                             "Late = x\n"
                             "Late = 8\n"
                             "Windows = 4\r\n"
                             "Text = a b \r\n"
                             "Empty = \n");
    configSetFileName(f.config, f.config.path); // the file is read when it is named
    // No blank between key and '=' makes one token, which is no key.
    EXPECT_EQ(configReadInt(f.config, "Tight"), -1);
    // Keys are case-sensitive and whole tokens.
    EXPECT_EQ(configReadInt(f.config, "Prefix"), -1);
    EXPECT_EQ(configReadInt(f.config, "Indented"), 7);
    // The first occurrence wins.
    EXPECT_EQ(configReadInt(f.config, "Twice"), 1);
    // A value that does not convert reads as missing, not as the previous line's value.
    EXPECT_EQ(configReadInt(f.config, "Broken"), -1);
    EXPECT_EQ(configReadFloat(f.config, "Broken"), 0.0f);
    EXPECT_EQ(configReadInt(f.config, "NoEquals"), -1);
    EXPECT_EQ(configReadInt(f.config, "Partial"), -1);
    // A malformed line is no occurrence, so a later good one is found.
    EXPECT_EQ(configReadInt(f.config, "Late"), 8);
    EXPECT_EQ(configReadInt(f.config, "Windows"), 4);
    std::string text;
    EXPECT_TRUE(configReadText(f.config, "Text", text));
    EXPECT_EQ(text, "a b ");
    EXPECT_FALSE(configReadText(f.config, "Empty", text));
}

TEST(Config, LinesOver1023CharactersNeverMatch) {
    ConfigFixture f;
    const std::string exact = "Exact = 5" + std::string(1023 - 9, ' ');
    ASSERT_EQ(exact.size(), 1023u);
    const std::string longer = "Longer = 6" + std::string(1100, ' ');
    // The tail of a long line, past 1023 characters, must not be taken for a line of its own.
    const std::string hidden = std::string(1023, 'x') + "Hidden = 7";
    writeText(f.config.path, exact + "\n" + longer + "\n" + hidden + "\nAfter = 8\n");
    configSetFileName(f.config, f.config.path);
    EXPECT_EQ(configReadInt(f.config, "Exact"), 5);
    EXPECT_EQ(configReadInt(f.config, "Longer"), -1);
    EXPECT_EQ(configReadInt(f.config, "Hidden"), -1);
    EXPECT_EQ(configReadInt(f.config, "After"), 8);
}

TEST(Config, FailedRewriteKeepsTheOldFile) {
    const std::string dir = makeScratchDir();
    ConfigFile config; // no log: the log file would hit the same size limit
    config.path = dir + "Config.ini";
    const std::string old = "[config]\n\nKeep = 1\n";
    writeText(config.path, old);

    ConfigRewrite rewrite;
    configRewriteBegin(rewrite);
    for (int i = 0; i < 50; ++i) configRewriteInt(rewrite, "Key" + std::to_string(i), i);
    // A file-size limit stands in for a full disk: writing past 64 bytes fails.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool written = configRewriteCommit(config, rewrite);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readText(config.path), old);
    EXPECT_EQ(filesIn(dir), 1); // no temporary file left behind

    // Without the limit the same rewrite replaces the file.
    EXPECT_TRUE(configRewriteCommit(config, rewrite));
    EXPECT_EQ(readText(config.path).rfind("[config]\n\nKey0 = 0\nKey1 = 1\n", 0), 0u);
    EXPECT_EQ(filesIn(dir), 1);
}

TEST(Config, FailedRewriteLogsOnlyItsError) {
    ConfigFixture f;
    ConfigRewrite rewrite;
    configRewriteBegin(rewrite);
    configRewriteInt(rewrite, "Count", 3);
    configRewriteFloat(rewrite, "Level", 0.5f);
    f.config.path = f.dir + "missing/Config.ini";
    EXPECT_FALSE(configRewriteCommit(f.config, rewrite));
    EXPECT_TRUE(contains(f.logText(), " - ERROR: Failed to open config File: " + f.config.path));
    EXPECT_FALSE(contains(f.logText(), "Writing"));
    // Put in place, the keys are logged as single-key writes log them.
    f.config.path = f.dir + "Config.ini";
    EXPECT_TRUE(configRewriteCommit(f.config, rewrite));
    EXPECT_TRUE(contains(f.logText(), " - Writing INT Config Value: Count - Value detected: 3\n"));
    EXPECT_TRUE(contains(f.logText(), " - Writing FLOAT Config Value: Level - Value detected: "
                                      "0.500000\n"));
}

TEST(Config, AReadOnlyFileIsNotRewrittenAndTheErrorIsLogged) {
    const std::string dir = makeScratchDir();
    ASSERT_TRUE(openToCheckUser(dir));
    const std::string path = dir + "Config.ini";
    const std::string old = "[config]\n\nKeep = 1\n";
    writeText(path, old);
    ASSERT_EQ(::chown(path.c_str(), checkUid(), checkGid()), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const std::string outcome = runUnprivileged([&] {
        LogChannel log;
        logOpen(log, dir + "shutdown.log");
        ConfigFile config;
        config.log = &log;
        config.path = path;
        ConfigRewrite rewrite;
        configRewriteBegin(rewrite);
        configRewriteInt(rewrite, "Count", 3);
        return configRewriteCommit(config, rewrite) ? std::string("rewritten") : std::string();
    });
    if (outcome == kNoUnprivilegedUser) GTEST_SKIP() << outcome;
    EXPECT_EQ(outcome, "");
    EXPECT_EQ(readText(path), old);
    EXPECT_EQ(filesIn(dir), 2); // the file and the log
    EXPECT_TRUE(contains(readText(dir + "shutdown.log"),
                         " - ERROR: Failed to open config File: " + path + "\n"));
}

TEST(Config, NumbersIgnoreTheProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    ConfigFixture f;
    configWriteHeader(f.config);
    configWriteFloat(f.config, "Level", 0.25f);
    const std::string text = readText(f.config.path);
    ConfigRewrite rewrite;
    configRewriteBegin(rewrite);
    configRewriteFloat(rewrite, "Other", 1.5f);
    const bool committed = configRewriteCommit(f.config, rewrite);
    const std::string afterRewrite = readText(f.config.path);
    writeText(f.config.path, "Level = 0.75\n");
    configSetFileName(f.config, f.config.path);
    const float read = configReadFloat(f.config, "Level");
    const std::string log = f.logText();
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_EQ(text, "[config]\n\nLevel = 0.250000\n");
    EXPECT_TRUE(committed);
    EXPECT_EQ(afterRewrite, "[config]\n\nOther = 1.500000\n");
    EXPECT_FLOAT_EQ(read, 0.75f);
    EXPECT_TRUE(contains(log, "Value detected: 0.250000\n"));
    EXPECT_TRUE(contains(log, "Reading FLOAT Config Value: Level - Value detected: 0.750000\n"));
}

TEST(Config, TheFileIsReadOnceWhenNamedAndWritesKeepTheCopyInStep) {
    ConfigFixture f;
    writeText(f.config.path, "A = 1\nB = 2\n");
    configSetFileName(f.config, f.config.path);
    // Gone from the disk after it was read: every key still reads from memory.
    ASSERT_EQ(::unlink(f.config.path.c_str()), 0);
    EXPECT_EQ(configReadInt(f.config, "B"), 2);
    EXPECT_FALSE(contains(f.logText(), "Failed to open config File"));
    // What is written is read back, first occurrence still winning, as from the file.
    configWriteInt(f.config, "A", 5);
    configWriteInt(f.config, "C", 3);
    EXPECT_EQ(configReadInt(f.config, "A"), 1);
    EXPECT_EQ(configReadInt(f.config, "C"), 3);
    configWriteHeader(f.config);
    EXPECT_EQ(configReadInt(f.config, "A"), -1);
}
