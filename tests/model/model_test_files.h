// Helpers of the model tests: scratch folders, whole files, the log's entry texts.
#pragma once

#include "app/temp_files.h"
#include "base/paths.h"
#include "model/model_file.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// A fresh directory under /tmp, removed with everything in it.
struct TempDir {
    std::string path;
    TempDir() {
        char name[] = "/tmp/fwmodel.XXXXXX";
        path = std::string(mkdtemp(name)) + "/";
    }
    // A load moves the current directory into the folder; a removed one must not stay current
    // for the tests that run after this one in the same process.
    ~TempDir() {
        std::error_code error;
        const std::string here = std::filesystem::current_path(error).string() + "/";
        if (!error && here.rfind(path, 0) == 0) std::filesystem::current_path("/tmp", error);
        std::filesystem::remove_all(path);
    }
};

using fwtest::readText;
using fwtest::writeText;

// A material record with every number 0, named m.
inline const std::string kMaterialLine =
    "MAT,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,m\n";

// Reads the model file at path into m, as opening it does.
inline bool loadModelFile(Model& m, const std::string& path, std::string* error = nullptr) {
    m.fileName = path;
    return readModelFile(m, error);
}

inline std::vector<std::string> linesOf(const std::string& text, const char* prefixes = nullptr) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!prefixes || std::string(prefixes).find(line.substr(0, 3)) != std::string::npos)
            out.push_back(line);
    return out;
}
// The log's entry texts without their time stamps.
inline std::vector<std::string> logTexts() {
    std::vector<std::string> out;
    for (const std::string& line : linesOf(readText(userLogPath()))) {
        std::size_t dash = line.find(" - ");
        if (dash != std::string::npos) out.push_back(line.substr(dash + 3));
    }
    return out;
}
