// Scratch folders of the test binaries: fresh under $TMPDIR, gone at exit, and only their maker's.
#include "scratch_dirs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(ScratchDirs, FreshUnderTmpdirAndRemovedAtTheMakersExit) {
    const std::string parent = fwtest::makeTempDir("fwscratch");
    ASSERT_FALSE(parent.empty());
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", parent.c_str(), 1);

    // Each call makes another empty folder inside $TMPDIR, named by the prefix.
    const std::string a = fwtest::makeTempDir("one"), b = fwtest::makeTempDir("one");
    EXPECT_NE(a, b);
    EXPECT_EQ(a.rfind(parent + "/one.", 0), 0u);
    EXPECT_TRUE(fs::is_directory(a) && fs::is_empty(a));
    EXPECT_TRUE(fs::is_directory(b) && fs::is_empty(b));

    // A forked child that exits normally removes its own folders with their contents, never ours.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const std::string mine = fwtest::makeTempDir("child");
        fs::create_directory(mine + "/sub");
        std::ofstream(mine + "/sub/file") << "x";
        const std::string line = mine + "\n";
        if (write(pipeEnds[1], line.data(), line.size()) < 0) _exit(2);
        std::exit(0);
    }
    close(pipeEnds[1]);
    std::string childDir;
    char c;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') childDir += c;
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(childDir.rfind(parent + "/child.", 0), 0u);
    EXPECT_FALSE(fs::exists(childDir));
    EXPECT_TRUE(fs::is_directory(a) && fs::is_directory(b));

    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
}
