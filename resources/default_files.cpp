// Lookup of the embedded default files by kind.
#include "resources/default_files.h"

#include <cstddef>
#include <cstring>

namespace fwres {
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;
} // namespace fwres

namespace {
const DefaultFileInfo kInfo[] = {
    {DefaultFile::NewModel, "NEW_MODEL.FW2", 14},
    {DefaultFile::Config, "Config.ini", 23},
    {DefaultFile::PreviewModel1, "PREVIEWMODEL1.FW2", 156},
    {DefaultFile::PreviewModel2, "PREVIEWMODEL2.FW2", 6151},
    {DefaultFile::PreviewModel3, "PREVIEWMODEL3.FW2", 6151},
};
static_assert(sizeof(kInfo) / sizeof(kInfo[0]) == static_cast<std::size_t>(DefaultFile::Count),
              "one entry per default file");
} // namespace

const DefaultFileInfo& defaultFileInfo(DefaultFile which) {
    return kInfo[static_cast<int>(which)];
}

std::string_view defaultFileContent(DefaultFile which) {
    const char* name = defaultFileInfo(which).fileName;
    for (std::size_t i = 0; i < fwres::kEmbeddedFileCount; ++i) {
        const fwres::EmbeddedFile& f = fwres::kEmbeddedFiles[i];
        if (std::strcmp(f.name, name) == 0) return {reinterpret_cast<const char*>(f.data), f.size};
    }
    return {};
}
