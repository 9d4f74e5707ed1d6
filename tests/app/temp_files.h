// Test helpers: scratch folders and whole-file reads and writes.
#pragma once

#include "scratch_dirs.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fwtest {

// A fresh empty folder, with a trailing '/'; removed at exit.
inline std::string makeScratchDir() {
    const std::string dir = makeTempDir("fwapp");
    return dir.empty() ? std::string() : dir + "/";
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Lines without their line ends; a final line end does not start another line.
inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace fwtest
