// Opening files only when they are regular files, so that a FIFO, a device or a directory named
// where a file belongs is refused at once instead of hanging or flooding a reader.
#pragma once

#include <cstdio>
#include <string>

// Opens path for reading when it names a regular file (symbolic links followed); otherwise
// returns null with errno set (EISDIR for a directory, EINVAL for any other kind). A FIFO never
// blocks the open: nothing is read from anything that is not a regular file.
FILE* openRegularFile(const std::string& path);

// Opens path for appending, creating it when missing; a name that exists but is not a regular
// file is refused (null, errno set) without blocking, so a log or setting named after a FIFO
// cannot stop the program.
FILE* openRegularFileForAppend(const std::string& path);

// Reads a whole regular file; false when it is not one, cannot be read or memory runs out.
bool readRegularFile(const std::string& path, std::string& out);
