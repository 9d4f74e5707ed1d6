// Regular-file-only opening shared by every reader and by the log.
#include "base/regular_file.h"

#include "base/huge_pages.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int refusalOf(const struct stat& st) {
    return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
}

// Opens without blocking and confirms on the open descriptor that it is a regular file (the name
// may have changed since any earlier look). O_NONBLOCK means nothing for a regular file, so it
// can stay set.
FILE* openChecked(const std::string& path, int flags, const char* mode) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int why = S_ISREG(st.st_mode) ? errno : refusalOf(st);
        ::close(fd);
        errno = why;
        return nullptr;
    }
    FILE* f = ::fdopen(fd, mode);
    if (!f) ::close(fd);
    return f;
}

} // namespace

FILE* openRegularFile(const std::string& path) {
    // Looking first means a device is never even opened for reading: opening some has effects.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = refusalOf(st);
        return nullptr;
    }
    return openChecked(path, O_RDONLY, "rb");
}

FILE* openRegularFileForAppend(const std::string& path) {
    return openChecked(path, O_WRONLY | O_APPEND | O_CREAT, "ab");
}

bool readRegularFile(const std::string& path, std::string& out) {
    FILE* f = openRegularFile(path);
    if (!f) return false;
    struct stat st {};
    bool ok = ::fstat(::fileno(f), &st) == 0;
    try {
        // One byte more than the size so that a file growing meanwhile is still read to its end.
        std::size_t used = 0;
        const std::size_t size = ok ? static_cast<std::size_t>(st.st_size) + 1 : 0;
        out.reserve(size);
        adviseHugePages(out.data(), out.capacity());
        out.resize(size);
        while (ok) {
            if (used == out.size()) out.resize(out.size() * 2 + 4096);
            const std::size_t n = std::fread(&out[used], 1, out.size() - used, f);
            used += n;
            if (n == 0) break;
        }
        ok = ok && !std::ferror(f);
        out.resize(used);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    std::fclose(f);
    return ok;
}
