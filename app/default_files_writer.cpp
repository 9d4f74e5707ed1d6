// Writing the default files that are missing from the per-user directory.
#include "app/default_files_writer.h"

#include "resources/default_files.h"

#include <cstddef>
#include <cstdio>

namespace {

const char* const kCheckMessages[] = {
    "Checking to see if NEW_MODEL.FW2 exists...",
    "Checking to see if config.ini file exists...",
    "Checking to see if Preview Model file exists...",
    "Checking to see if Preview Model file exists...",
    "Checking to see if Preview Model file exists...",
};
static_assert(sizeof(kCheckMessages) / sizeof(kCheckMessages[0]) ==
                  static_cast<std::size_t>(DefaultFile::Count),
              "one message per default file");

// "wx" creates the file only if nobody else has, so an existing file is never truncated; a
// write that fails part-way removes what it made, so the next start tries again.
void writeIfMissing(const std::string& path, DefaultFile which) {
    const std::string_view content = defaultFileContent(which);
    if (content.empty()) return; // not built in: better no file than an empty one
    FILE* f = std::fopen(path.c_str(), "wx");
    if (!f) return;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::remove(path.c_str());
}

} // namespace

void writeMissingDefaultFiles(const std::string& userDir, const LogChannel& log) {
    for (int i = 0; i < static_cast<int>(DefaultFile::Count); ++i) {
        const DefaultFile which = static_cast<DefaultFile>(i);
        const std::string path = userDir + defaultFileInfo(which).fileName;
        logEntry(log, kCheckMessages[i]);
        logf(log, "     Filename: %s", path.c_str());
        writeIfMissing(path, which);
    }
}
