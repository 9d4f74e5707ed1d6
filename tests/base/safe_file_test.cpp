// Replacing files: a replaced file keeps its owner, group and mode, and the temporary files that
// killed saves left behind go with the next save to the same name.
#include "base/safe_file.h"

#include "app/temp_files.h"
#include "unprivileged.h"

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <utime.h>
#include <vector>

namespace {

std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A file of the given age in seconds.
void writeAged(const std::string& path, long age) {
    fwtest::writeText(path, "left over");
    const std::time_t then = std::time(nullptr) - age;
    const utimbuf times{then, then};
    ::utime(path.c_str(), &times);
}

} // namespace

TEST(SafeFile, AReplacedFileKeepsItsOwnerGroupAndMode) {
    const std::string dir = fwtest::makeScratchDir();
    const std::string target = dir + "shared.FW2";
    fwtest::writeText(target, "old");
    // Root can give the file away; anyone else keeps it and can still check the mode.
    ASSERT_EQ(::chown(target.c_str(), fwtest::checkUid(), fwtest::checkGid()), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    ASSERT_TRUE(writeFileSafely(target, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(fwtest::readText(target), "new");
    EXPECT_EQ(st.st_uid, fwtest::checkUid());
    EXPECT_EQ(st.st_gid, fwtest::checkGid());
    EXPECT_EQ(st.st_mode & 07777, 0604u);
}

TEST(SafeFile, TemporaryFilesOfKilledSavesGoWithTheNextSave) {
    const std::string dir = fwtest::makeScratchDir();
    const std::string target = dir + "m.FW2";
    const long old = kStaleTempSeconds + 60;
    fwtest::writeText(target, "old");
    writeAged(target + ".aB3dE9", old);            // left by a killed save: goes
    writeAged(target + ".Fresh1", 5);              // may be a save under way
    writeAged(target + ".Lockd1", old);            // a save under way holds its lock
    writeAged(target + ".aB3dE", old);             // not the temporary name pattern
    writeAged(target + ".aB-dE9", old);            // nor this
    writeAged(dir + "n.FW2.aB3dE9", old);          // another file's
    const std::string others = target + ".Other1"; // another user's
    writeAged(others, old);
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
    else
        ::unlink(others.c_str());
    const int held = ::open((target + ".Lockd1").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    ASSERT_TRUE(writeFileSafely(target, "new"));
    ::close(held);
    std::vector<std::string> kept = {"m.FW2",        "m.FW2.Fresh1", "m.FW2.Lockd1",
                                     "m.FW2.aB-dE9", "m.FW2.aB3dE",  "n.FW2.aB3dE9"};
    if (::geteuid() == 0) kept.push_back("m.FW2.Other1");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(namesIn(dir), kept);
    EXPECT_EQ(fwtest::readText(target), "new");
}
