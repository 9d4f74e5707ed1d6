// Recent files: the last models opened or saved, kept in RecentFiles.txt in the per-user folder
// and listed in File > Recent Files.
#pragma once

#include "app/editor.h"

#include <string>
#include <vector>

constexpr const char* kRecentFilesName = "RecentFiles.txt";

// One path a line, newest first; blank lines are skipped and the list stops at the menu's slots.
std::vector<std::string> parseRecentFiles(const std::string& text);
// The path goes to the front, once; the list is cut to the menu's slots.
void rememberFile(std::vector<std::string>& list, const std::string& path);

// Reads the list from the per-user folder and shows it in the menu.
void loadRecentFiles(Editor& editor);
// A model opened or saved under path: first in the list, the file and the menu renewed.
void noteRecentFile(Editor& editor, const std::string& path);
// Picking slot i: opens its model (asking about unsaved changes first), or, when the file is
// gone, says so and drops it from the list.
void openRecentFile(Editor& editor, int slot);
