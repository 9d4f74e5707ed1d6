// Path helpers: the per-user directory, folders of files, separators, the current directory.
#pragma once

#include <string>

// The per-user directory with a trailing '/': $APPDATA/Facetwright/ when APPDATA is set,
// otherwise $XDG_CONFIG_HOME/Facetwright/, otherwise ~/.config/Facetwright/.
std::string userDirectory();
// The shared log file inside the per-user directory.
std::string userLogPath();

// The folder of a path, up to and including its last '/'; empty when there is none.
std::string folderOf(const std::string& path);
// The part after the last '/'.
std::string baseNameOf(const std::string& path);
// "/m/car.FW2" -> "/m/car"; a name without an extension stays whole ('/' and '\' both end folders).
std::string withoutExtension(const std::string& path);
// Paths written on Windows use '\'; turn them into '/'.
std::string toSlashes(std::string path);
// Extension after the last '.', upper-cased ("FW2", "OBJ"); empty when there is none.
std::string upperExtension(const std::string& path);

// Creates one directory level; an existing directory is no error.
bool makeDirectory(const std::string& path);
// Creates every missing level of a path.
bool makeDirectories(const std::string& path);
// The current directory with a trailing '/'.
std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);
bool fileExists(const std::string& path);
// A relative path joined to the current directory; absolute paths come back unchanged.
std::string absolutePath(const std::string& path);
