// Replacing a file without ever losing the old one: write a sibling, flush, rename over.
#pragma once

#include <cstdio>
#include <string>

// A file being written next to its target. Nothing reaches the target until commit succeeds.
struct SafeFile {
    std::string target;
    std::string tempPath;
    FILE* file = nullptr;
};

// Opens a temporary file in the target's folder; false when it cannot be created.
bool safeFileOpen(SafeFile& sf, const std::string& target);
// Flushes, syncs and renames over the target; false (and the target untouched) on any failure.
bool safeFileCommit(SafeFile& sf);
// Drops the temporary file; the target stays as it was.
void safeFileAbandon(SafeFile& sf);

// Writes the whole content in one go through a SafeFile.
bool writeFileSafely(const std::string& target, const std::string& content);
