// Test entry: every test binary runs with its own temporary per-user directory.
#include "scratch_dirs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv) {
    // Models open their log in the per-user directory; keep that away from the real one.
    const std::string dir = fwtest::makeTempDir("fwtest");
    if (!dir.empty()) {
        setenv("APPDATA", dir.c_str(), 1);
        mkdir((dir + "/Facetwright").c_str(), 0755);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
