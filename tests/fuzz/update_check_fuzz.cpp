// Fuzz target: reading the version file the update check downloads, straight from the bytes
// (not NUL-terminated, so any read past them is caught).
#include "app/update_check.h"
#include "fuzz_support.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    VersionFile file;
    file.downloadUrl = "unchanged";
    const char* text = reinterpret_cast<const char*>(data);
    if (parseVersionFile(text, size, file)) {
        // The address is one word of what was read: no blank, tab or line end inside.
        FUZZ_CHECK(!file.downloadUrl.empty());
        FUZZ_CHECK(file.downloadUrl.find_first_of(std::string(" \t\r\n\0", 5)) ==
                   std::string::npos);
        const std::size_t read = std::min(size, kVersionFileLimit);
        FUZZ_CHECK(std::string(text, read).find(file.downloadUrl) != std::string::npos);
    } else {
        FUZZ_CHECK(file.version == ReleaseVersion{} && file.downloadUrl.empty());
    }
    return 0;
}
