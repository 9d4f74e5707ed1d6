// Test entry: every test binary runs with its own temporary per-user directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    // Models open their log in the per-user directory; keep that away from the real one.
    char dir[] = "/tmp/fwtest.XXXXXX";
    if (mkdtemp(dir)) {
        setenv("APPDATA", dir, 1);
        std::string user = std::string(dir) + "/Facetwright";
        mkdir(user.c_str(), 0755);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
