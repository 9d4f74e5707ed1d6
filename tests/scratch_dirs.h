// Scratch folders for test and benchmark binaries: each made fresh under $TMPDIR (or /tmp) and
// removed with everything in it when the process that made it exits normally.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fwtest {

namespace detail {

struct ScratchFolder {
    std::string path;
    pid_t owner; // a forked child that exits normally must not remove its parent's folders
};

struct ScratchRegistry {
    std::mutex lock;
    std::vector<ScratchFolder> folders;
    bool handlerSet = false;
};

// Never destroyed, so the exit handler and late callers always find it alive.
inline ScratchRegistry& scratchRegistry() {
    static ScratchRegistry* registry = new ScratchRegistry;
    return *registry;
}

inline void removeScratchFolders() {
    ScratchRegistry& registry = scratchRegistry();
    std::lock_guard<std::mutex> hold(registry.lock);
    const pid_t self = getpid();
    for (const ScratchFolder& folder : registry.folders) {
        std::error_code ignored;
        if (folder.owner == self) std::filesystem::remove_all(folder.path, ignored);
    }
    registry.folders.clear();
}

} // namespace detail

// A fresh empty folder "<$TMPDIR or /tmp>/<prefix>.XXXXXX", without a trailing '/'; removed at
// normal exit. Empty when the folder cannot be made.
inline std::string makeTempDir(const std::string& prefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string name = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + ".XXXXXX";
    if (!mkdtemp(&name[0])) return std::string();
    detail::ScratchRegistry& registry = detail::scratchRegistry();
    std::lock_guard<std::mutex> hold(registry.lock);
    if (!registry.handlerSet) {
        registry.handlerSet = true;
        std::atexit(detail::removeScratchFolders);
    }
    registry.folders.push_back({name, getpid()});
    return name;
}

} // namespace fwtest
