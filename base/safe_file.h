// Replacing a file without ever losing the old one: write a sibling, sync it, rename it over.
#pragma once

#include <cstddef>
#include <string>

// A file being written next to its target. Nothing reaches the target until commit succeeds;
// after any failure the target is as it was and the temporary file is gone.
struct SafeFile {
    std::string target;   // the name the content goes under (a symbolic link's destination)
    std::string tempPath; // empty when no temporary file exists
    int fd = -1;
    int error = 0; // errno of the first failure, 0 while all went well
};

// A temporary file of this name's pattern ("name.XXXXXX") untouched for this long, of this user
// and locked by no save, was left by a save that was killed; the next save to the name removes it.
constexpr long kStaleTempSeconds = 10 * 60;

// Creates the temporary file in the target's folder. A target that exists but is not a regular
// file, or that the user may not write, is refused. The new file gets the owner, group and mode
// of the one it replaces as far as the process may set them. Very long names get a shortened
// temporary name, so any name the folder can hold can be saved.
bool safeFileOpen(SafeFile& sf, const std::string& target);
// Writes all n bytes (short writes and interruptions are retried); false once anything failed.
bool safeFileWrite(SafeFile& sf, const void* data, std::size_t n);
// Syncs and closes the file, renames it over the target and syncs the folder; false (the target
// untouched unless only the folder sync failed, the temporary file removed) on any failure.
bool safeFileCommit(SafeFile& sf);
// Drops the temporary file; the target stays as it was.
void safeFileAbandon(SafeFile& sf);
// The first failure in words, for the user; empty when there was none.
std::string safeFileError(const SafeFile& sf);

// Writes the whole content through a SafeFile; on failure why (when given) says what went wrong.
bool writeFileSafely(const std::string& target, const std::string& content,
                     std::string* why = nullptr);
