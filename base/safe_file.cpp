// Safe replacement of files: temporary sibling, checked writes, fsync, rename, folder fsync.
#include "base/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kNameMax = 255; // bytes in one path component on Linux file systems
const char kTempSuffix[] = ".XXXXXX";
constexpr std::size_t kTempRandom = 6; // the characters mkstemp puts in place of the X's

bool isTempCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Whether name is base followed by a suffix exactly as mkstemp fills kTempSuffix.
bool isTempNameOf(const char* name, const std::string& base) {
    const std::size_t length = std::strlen(name);
    if (length != base.size() + 1 + kTempRandom || base.compare(0, base.size(), name, base.size()))
        return false;
    if (name[base.size()] != '.') return false;
    for (std::size_t i = base.size() + 1; i < length; ++i)
        if (!isTempCharacter(name[i])) return false;
    return true;
}

// Removes temporary files that killed saves to the same name left behind. Only what is provably
// such a file goes: the name pattern, a regular file of this user, untouched for
// kStaleTempSeconds, and no save holding its lock (a running save keeps its file locked).
void removeStaleTemps(const std::string& folder, const std::string& base) {
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    DIR* listing = ::fdopendir(dir);
    if (!listing) {
        ::close(dir);
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTempNameOf(entry->d_name, base)) continue;
        const int fd =
            ::openat(dir, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            now - st.st_mtime > kStaleTempSeconds && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dir, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(listing);
}

// Gives the new file the owner, group and permissions of the one it replaces. Ownership goes as
// far as the process may set it (root: both; others: a group they belong to); the mode always.
// Ownership comes first: changing it may clear set-user-ID and set-group-ID bits.
int keepAttributes(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

bool failWith(SafeFile& sf, int error) {
    if (sf.error == 0) sf.error = error ? error : EIO;
    return false;
}

std::string folderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The name writes go to: a symbolic link is followed, so saving keeps the link pointing at the
// saved file instead of replacing the link itself.
std::string resolvedTarget(const std::string& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    char buf[PATH_MAX];
    return ::realpath(target.c_str(), buf) ? std::string(buf) : target;
}

// The folder's own sync makes the rename survive a crash. File systems that cannot sync a
// folder say EINVAL; that is no failure of the save.
int syncFolder(const std::string& folder) {
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return errno;
    const int result = ::fsync(dir) == 0 || errno == EINVAL ? 0 : errno;
    ::close(dir);
    return result;
}

} // namespace

bool safeFileOpen(SafeFile& sf, const std::string& target) {
    sf = SafeFile();
    sf.target = resolvedTarget(target);
    struct stat st {};
    const bool exists = ::stat(sf.target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return failWith(sf, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    // The rename needs only the folder's permission; a file the user may not write (made
    // read-only, or someone else's) must stay as it is.
    if (exists && ::faccessat(AT_FDCWD, sf.target.c_str(), W_OK, AT_EACCESS) != 0)
        return failWith(sf, errno);

    const std::string folder = folderPart(sf.target);
    std::string base = sf.target.substr(folder.size());
    if (base.empty()) return failWith(sf, EISDIR);
    // A name near the limit would have no room for the suffix: shorten its copy, not the target.
    const std::size_t room = kNameMax - (sizeof kTempSuffix - 1);
    if (base.size() > room) base.resize(room);
    removeStaleTemps(folder, base);
    std::string pattern = folder + base + kTempSuffix;
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return failWith(sf, errno);
    sf.fd = fd;
    sf.tempPath = pattern;
    // Held until the file is closed, so no other save takes it for a stale one.
    (void)::flock(fd, LOCK_EX | LOCK_NB);
    // mkstemp creates 0600.
    const int e = exists ? keepAttributes(fd, st) : (::fchmod(fd, 0644) == 0 ? 0 : errno);
    if (e != 0) {
        failWith(sf, e);
        safeFileAbandon(sf);
        return false;
    }
    return true;
}

bool safeFileWrite(SafeFile& sf, const void* data, std::size_t n) {
    if (sf.fd < 0 || sf.error) return failWith(sf, EBADF);
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        const ssize_t done = ::write(sf.fd, p, n);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return failWith(sf, done < 0 ? errno : ENOSPC);
        p += done;
        n -= static_cast<std::size_t>(done);
    }
    return true;
}

bool safeFileCommit(SafeFile& sf) {
    if (sf.fd < 0 || sf.error) {
        failWith(sf, EBADF);
        safeFileAbandon(sf);
        return false;
    }
    // A full disk or failing device often shows only here, at the sync or the close.
    if (::fsync(sf.fd) != 0) failWith(sf, errno);
    if (::close(sf.fd) != 0) failWith(sf, errno);
    sf.fd = -1;
    if (sf.error == 0 && ::rename(sf.tempPath.c_str(), sf.target.c_str()) != 0) failWith(sf, errno);
    if (sf.error) {
        safeFileAbandon(sf);
        return false;
    }
    sf.tempPath.clear();
    if (const int e = syncFolder(folderPart(sf.target))) return failWith(sf, e);
    return true;
}

void safeFileAbandon(SafeFile& sf) {
    if (sf.fd >= 0) ::close(sf.fd);
    sf.fd = -1;
    if (!sf.tempPath.empty()) ::unlink(sf.tempPath.c_str());
    sf.tempPath.clear();
}

std::string safeFileError(const SafeFile& sf) {
    return sf.error ? std::string(std::strerror(sf.error)) : std::string();
}

bool writeFileSafely(const std::string& target, const std::string& content, std::string* why) {
    SafeFile sf;
    bool ok = safeFileOpen(sf, target) && safeFileWrite(sf, content.data(), content.size()) &&
              safeFileCommit(sf);
    if (!ok) {
        safeFileAbandon(sf);
        if (why) *why = safeFileError(sf);
    }
    return ok;
}
