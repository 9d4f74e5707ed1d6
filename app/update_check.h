// The update check: fetching the one-line version file, reading it, and offering a newer release.
#pragma once

#include "app/settings.h"
#include "base/log.h"
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Only this much of the version file is read; anything after it is ignored.
constexpr std::size_t kVersionFileLimit = 1024;
// The program blocks while it waits, so the wait is short.
constexpr int kUpdateTimeoutMs = 5000;
constexpr char kUpdateUserAgent[] = "Mozilla/4.0 (compatible) Facetwright";
// Replaces the version file's address (tests point it at a local server).
constexpr char kUpdateUrlVariable[] = "FACETWRIGHT_UPDATE_URL";

// A release number, ordered as (major, minor, build).
struct ReleaseVersion {
    int32_t major = 0;
    int32_t minor = 0;
    int32_t build = 0;
};
bool operator<(const ReleaseVersion& a, const ReleaseVersion& b);
bool operator==(const ReleaseVersion& a, const ReleaseVersion& b);

ReleaseVersion runningVersion();

struct VersionFile {
    ReleaseVersion version;
    std::string downloadUrl;
};

// Reads "v,<major>,<minor>,<build>,<address> EOF." from the first kVersionFileLimit bytes of data
// (which need not be NUL-terminated; a NUL ends the text). The numbers take an optional sign and
// decimal, 0x hexadecimal or leading-0 octal digits; the address runs to the first white space.
// True when all four fields are there and the address ends inside the bytes read; otherwise out
// is left as {0, 0, 0, ""}.
bool parseVersionFile(const char* data, std::size_t size, VersionFile& out);

// The version file's address: FACETWRIGHT_UPDATE_URL when set and not empty, else the site's.
std::string updateCheckUrl(Platform& platform);

enum class UpdateCheckMode {
    Silent,      // at start-up: only a newer release is shown, and each release only once
    Interactive, // from the menu: failures and "no updates" are reported as well
};

enum class UpdateCheckResult {
    Failed,   // the version file could not be fetched
    NoUpdate, // nothing newer than the offered (or, interactively, the running) version
    Declined, // a newer release was offered and the user said No
    Accepted, // ... and Yes: the download and release-notes pages were opened
};

// Fetches the version file, compares it with the offered version kept in settings and offers a
// newer release. The offered version is raised to at least the running version, and to a release
// once it has been offered.
UpdateCheckResult checkForUpdates(Platform& platform, const LogChannel& log, Settings& settings,
                                  UpdateCheckMode mode);

// The check made at start-up: the silent form, when "Automatically Check For Updates" is on.
void startupUpdateCheck(Platform& platform, const LogChannel& log, Settings& settings);
