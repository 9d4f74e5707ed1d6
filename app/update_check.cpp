// The update check: fetching the one-line version file, reading it, and offering a newer release.
//
// Sections: versions; the version file; the check.
#include "app/update_check.h"

#include "base/numbers.h"
#include "ui/about.h"

#include <algorithm>
#include <cctype>
#include <tuple>

// ---- Versions ----

bool operator<(const ReleaseVersion& a, const ReleaseVersion& b) {
    return std::tie(a.major, a.minor, a.build) < std::tie(b.major, b.minor, b.build);
}

bool operator==(const ReleaseVersion& a, const ReleaseVersion& b) {
    return std::tie(a.major, a.minor, a.build) == std::tie(b.major, b.minor, b.build);
}

ReleaseVersion runningVersion() {
    return {kVersionMajor, kVersionMinor, kVersionBuild};
}

// ---- The version file ----

namespace {

// The characters scanWord stops at.
bool endsWord(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

} // namespace

bool parseVersionFile(const char* data, std::size_t size, VersionFile& out) {
    out = VersionFile{};
    if (!data) return false;
    const std::size_t n = std::min(size, kVersionFileLimit);
    // A copy ends in a NUL, which the scanners need; a NUL in the data ends the text early.
    const std::string text(data, n);
    const char* p = scanChar(text.c_str(), 'v');
    VersionFile v;
    for (int32_t* field : {&v.version.major, &v.version.minor, &v.version.build}) {
        if (p) p = scanChar(p, ',');
        if (p) p = scanInt(p, *field);
    }
    if (p) p = scanChar(p, ',');
    if (p) p = scanWord(p, v.downloadUrl, kVersionFileLimit);
    if (!p) return false;
    // An address running into the read limit may have been cut short.
    if (p == text.c_str() + n && size > n && !endsWord(data[n])) return false;
    out = v;
    return true;
}

// ---- The check ----

namespace {

constexpr char kCheckCaption[] = "Check for Updates";
constexpr char kFailedText[] =
    "An error occured during the update check!  Please try again later...";
constexpr char kNoUpdateText[] =
    "There are currently no updates \navailable for download.  Please\n "
    "visit the website for latest release\n information.";
constexpr char kOfferCaption[] = "Version Update Available...";
constexpr char kOfferFormat[] = "A NEW Version of Facetwright \nhas been published on the \n"
                                "Facetwright Website.\n\nVersion: %i.%i build %i \n\n"
                                "Would you like to download it now?";

bool startsWithNoCase(const std::string& text, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) !=
                                    static_cast<unsigned char>(prefix[i]))
            return false;
    return true;
}

// The file comes from the network: only a web page may be opened from it, never a local file,
// a script or a mail form.
bool isWebAddress(const std::string& url) {
    return isOpenableUrl(url) &&
           (startsWithNoCase(url, "http://") || startsWithNoCase(url, "https://"));
}

// The content as one log line: line ends and other control characters would split or garble it.
std::string logText(const std::string& body) {
    std::string text = body.substr(0, std::min(body.size(), kVersionFileLimit));
    text.resize(std::min(text.size(), text.find('\0')));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return text;
}

ReleaseVersion offeredVersion(const Settings& s) {
    return {s.offeredMajorVersion, s.offeredMinorVersion, s.offeredBuildNumber};
}

void setOfferedVersion(Settings& s, const ReleaseVersion& v) {
    s.offeredMajorVersion = v.major;
    s.offeredMinorVersion = v.minor;
    s.offeredBuildNumber = v.build;
}

} // namespace

std::string updateCheckUrl(Platform& platform) {
    std::string url;
    if (platform.environmentVariable(kUpdateUrlVariable, url) && !url.empty()) return url;
    return kUpdateUrl;
}

UpdateCheckResult checkForUpdates(Platform& platform, const LogChannel& log, Settings& settings,
                                  UpdateCheckMode mode) {
    const bool interactive = mode == UpdateCheckMode::Interactive;
    const std::string url = updateCheckUrl(platform);
    logf(log, "Checking for updates at: %s", url.c_str());
    std::string body;
    const bool fetched = platform.httpGet(url, kUpdateUserAgent, kUpdateTimeoutMs, body);
    if (!fetched) {
        if (interactive) {
            platform.messageBox(kFailedText, kCheckCaption, MessageButtons::Ok, MessageIcon::None);
            logEntry(log, "Update Check Failed!");
            return UpdateCheckResult::Failed;
        }
        // Silently an unreachable site is just a file that offers nothing.
        body.clear();
    }

    logf(log, "Scanning content: %s", logText(body).c_str());
    VersionFile file;
    const bool parsed = parseVersionFile(body.data(), body.size(), file);

    // Never offer what is already running, nor (silently) a release offered before.
    ReleaseVersion offered = offeredVersion(settings);
    if (interactive || offered < runningVersion()) offered = runningVersion();
    setOfferedVersion(settings, offered);

    if (!parsed || !(offered < file.version)) {
        if (interactive)
            platform.messageBox(kNoUpdateText, kCheckCaption, MessageButtons::Ok,
                                MessageIcon::None);
        return fetched ? UpdateCheckResult::NoUpdate : UpdateCheckResult::Failed;
    }

    const ReleaseVersion& v = file.version;
    char text[sizeof kOfferFormat + 40];
    formatC(text, sizeof text, kOfferFormat, v.major, v.minor, v.build);
    logf(log, "New Version AvailableVersion: %i.%i build %i ", v.major, v.minor, v.build);
    const MessageAnswer answer =
        platform.messageBox(text, kOfferCaption, MessageButtons::YesNo, MessageIcon::Question);
    setOfferedVersion(settings, v);
    if (answer != MessageAnswer::Yes) return UpdateCheckResult::Declined;

    if (isWebAddress(file.downloadUrl))
        platform.openUrl(file.downloadUrl);
    else
        logf(log, "Download address ignored, not a web page: %s",
             logText(file.downloadUrl).c_str());
    platform.openUrl(kReleaseNotesUrl);
    return UpdateCheckResult::Accepted;
}

void startupUpdateCheck(Platform& platform, const LogChannel& log, Settings& settings) {
    if (!settings.enableUpdateChecking) {
        logEntry(log, "Automatic update checking is off");
        return;
    }
    logEntry(log, "Checking for Updates");
    checkForUpdates(platform, log, settings, UpdateCheckMode::Silent);
}
