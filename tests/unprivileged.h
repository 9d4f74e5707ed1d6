// Checks that need file permissions to apply: run as an ordinary user even where the tests run as
// root (in a forked child that drops to nobody first).
#pragma once

#include <functional>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fwtest {

// What runUnprivileged returns when no user without privileges could be taken on.
inline const char* const kNoUnprivilegedUser = "no unprivileged user";

// The user a check runs as: the tests' own, or nobody where they run as root.
inline uid_t checkUid() {
    return ::geteuid() == 0 ? 65534 : ::geteuid();
}
inline gid_t checkGid() {
    return ::geteuid() == 0 ? 65534 : ::getegid();
}

// Lets the check user create files in folder (and reach it: scratch folders are 0700).
inline bool openToCheckUser(const std::string& folder) {
    return ::chmod(folder.c_str(), 0777) == 0;
}

// Runs check as checkUid() and returns its answer: empty when all went well, else what went
// wrong. As root the check runs in a forked child that drops its groups and ids first.
inline std::string runUnprivileged(const std::function<std::string()>& check) {
    if (::geteuid() != 0) return check();
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child < 0) return "no fork";
    if (child == 0) {
        ::close(pipeEnds[0]);
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(checkGid()) == 0 &&
                             ::setuid(checkUid()) == 0 && ::setuid(0) != 0;
        const std::string answer = dropped ? check() : std::string(kNoUnprivilegedUser);
        const bool sent = ::write(pipeEnds[1], answer.data(), answer.size()) ==
                          static_cast<ssize_t>(answer.size());
        ::_exit(sent ? 0 : 1); // no exit handlers: the parent's scratch folders stay
    }
    ::close(pipeEnds[1]);
    std::string answer;
    char buf[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buf, sizeof buf)) > 0;)
        answer.append(buf, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the unprivileged check did not finish";
    return answer;
}

} // namespace fwtest
