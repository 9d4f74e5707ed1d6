// Path helpers on POSIX.
#include "base/paths.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string withSlash(std::string s) {
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}
std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
} // namespace

std::string userDirectory() {
    std::string root = env("APPDATA");
    if (root.empty()) root = env("XDG_CONFIG_HOME");
    if (root.empty()) {
        std::string home = env("HOME");
        root = withSlash(home.empty() ? std::string("/tmp") : home) + ".config";
    }
    return withSlash(toSlashes(root)) + "Facetwright/";
}

std::string userLogPath() {
    return userDirectory() + "Facetwright.Log";
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string baseNameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string withoutExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return hasExtension ? path.substr(0, dot) : path;
}

std::string toSlashes(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string upperExtension(const std::string& path) {
    std::string name = baseNameOf(path);
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

bool makeDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    struct stat st {};
    return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        makeDirectory(path.substr(0, slash));
    return makeDirectory(path);
}

std::string currentDirectory() {
    char buf[4096];
    if (!::getcwd(buf, sizeof buf)) return {};
    return withSlash(buf);
}

bool setCurrentDirectory(const std::string& path) {
    return ::chdir(path.c_str()) == 0;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string absolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    return currentDirectory() + path;
}
