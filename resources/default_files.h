// The five files the program writes into the per-user directory when they are missing.
#pragma once

#include <string_view>

enum class DefaultFile { NewModel, Config, PreviewModel1, PreviewModel2, PreviewModel3, Count };

struct DefaultFileInfo {
    DefaultFile which;
    const char* fileName; // exact case, as written into the per-user directory
    int lineCount;
};

// File names and line counts, in the order start-up checks them.
const DefaultFileInfo& defaultFileInfo(DefaultFile which);

// The whole file, each line ended by "\n".
std::string_view defaultFileContent(DefaultFile which);
