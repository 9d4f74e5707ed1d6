// Safe replacement of files: temporary sibling plus rename, so a failed save keeps the old file.
#include "base/safe_file.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

bool safeFileOpen(SafeFile& sf, const std::string& target) {
    sf.target = target;
    sf.tempPath = target + ".XXXXXX";
    std::string pattern = sf.tempPath;
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        sf.tempPath.clear();
        return false;
    }
    sf.tempPath = pattern;
    // Keep the permissions an existing target had; mkstemp creates 0600.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    else
        ::fchmod(fd, 0644);
    sf.file = ::fdopen(fd, "w");
    if (!sf.file) {
        ::close(fd);
        ::unlink(sf.tempPath.c_str());
        sf.tempPath.clear();
        return false;
    }
    return true;
}

bool safeFileCommit(SafeFile& sf) {
    if (!sf.file) return false;
    bool ok = std::fflush(sf.file) == 0 && !std::ferror(sf.file);
    ok = ok && ::fsync(::fileno(sf.file)) == 0;
    ok = (std::fclose(sf.file) == 0) && ok;
    sf.file = nullptr;
    ok = ok && std::rename(sf.tempPath.c_str(), sf.target.c_str()) == 0;
    if (!ok) ::unlink(sf.tempPath.c_str());
    sf.tempPath.clear();
    return ok;
}

void safeFileAbandon(SafeFile& sf) {
    if (sf.file) std::fclose(sf.file);
    sf.file = nullptr;
    if (!sf.tempPath.empty()) ::unlink(sf.tempPath.c_str());
    sf.tempPath.clear();
}

bool writeFileSafely(const std::string& target, const std::string& content) {
    SafeFile sf;
    if (!safeFileOpen(sf, target)) return false;
    if (std::fwrite(content.data(), 1, content.size(), sf.file) != content.size()) {
        safeFileAbandon(sf);
        return false;
    }
    return safeFileCommit(sf);
}
