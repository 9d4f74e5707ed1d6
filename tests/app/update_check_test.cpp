// The update check: reading the version file and what is offered, silently and from the menu.
#include "app/update_check.h"

#include "app/menu_commands.h"
#include "platform/fake_platform.h"
#include "resources/menu_table.h"
#include "temp_files.h"
#include "ui/about.h"

#include <gtest/gtest.h>

using namespace fwtest;

namespace {

const char kOffer319[] =
    "A NEW Version of Facetwright \nhas been published on the \nFacetwright "
    "Website.\n\nVersion: 2.61 build 319 \n\nWould you like to download it now?";
const char kNoUpdates[] =
    "There are currently no updates \navailable for download.  Please\n visit "
    "the website for latest release\n information.";

VersionFile parsed(const std::string& text) {
    VersionFile f;
    f.version.major = 99; // must be reset when nothing parses
    parseVersionFile(text.data(), text.size(), f);
    return f;
}

struct UpdateCheck : ::testing::Test {
    std::string dir = makeScratchDir();
    FakePlatform platform;
    LogChannel log;
    Settings settings; // Offered... start as a missing key (-1), as on a first run
    UpdateCheck() { logOpen(log, dir + "test.log"); }

    void serve(const std::string& body) { platform.httpBodies[kUpdateUrl] = body; }
    UpdateCheckResult check(UpdateCheckMode mode) {
        platform.calls.clear();
        return checkForUpdates(platform, log, settings, mode);
    }
    std::vector<RecordedCall> boxes() const { return platform.callsOf(CallKind::MessageBox); }
    ReleaseVersion offered() const {
        return {settings.offeredMajorVersion, settings.offeredMinorVersion,
                settings.offeredBuildNumber};
    }
};

} // namespace

TEST(VersionFile, ParsesTheLineAndNothingElse) {
    // The line with the rest of the file ignored; numbers as %i reads them.
    VersionFile f = parsed("v,2,61,319,https://host/dl.zip EOF.\r\nanything");
    EXPECT_EQ(f.version, (ReleaseVersion{2, 61, 319}));
    EXPECT_EQ(f.downloadUrl, "https://host/dl.zip");
    EXPECT_EQ(parsed("v, 3,0x10,010,x\n").version, (ReleaseVersion{3, 16, 8}));
    // A NUL ends the text even when more follows.
    EXPECT_EQ(parsed(std::string("v,3,0,1,http://a\0b", 18)).downloadUrl, "http://a");
    // Anything short of all four fields reads as nothing.
    for (const char* bad : {"", "v", "V,3,0,1,x", " v,3,0,1,x", "v,3,0,1", "v,3,0,1,", "v,3;0,1,x",
                            "v,3,0,x,y", "v,99999999999,0,1,x", "<html>404</html>"})
        EXPECT_EQ(parsed(bad).version, ReleaseVersion{}) << bad;
    VersionFile untouched;
    EXPECT_FALSE(parseVersionFile(nullptr, 10, untouched));

    // Only the first 1024 bytes are read: a line within them counts, an address cut by them not.
    const std::string line = "v,3,0,1,http://host/dl ";
    EXPECT_EQ(parsed(line + std::string(2000, 'x')).version, (ReleaseVersion{3, 0, 1}));
    const std::string longAddress = "v,3,0,1,http://host/" + std::string(2000, 'a');
    EXPECT_FALSE(parseVersionFile(longAddress.data(), longAddress.size(), untouched));
    std::string exact = "v,3,0,1,http://host/" + std::string(1004, 'a') + "\n";
    ASSERT_EQ(exact.size(), 1025u);
    EXPECT_TRUE(parseVersionFile(exact.data(), exact.size(), untouched));
    EXPECT_EQ(untouched.downloadUrl.size(), 1016u);
}

TEST_F(UpdateCheck, OffersEachReleaseOnceSilentlyAndAgainFromTheMenu) {
    serve("v,2,61,319,http://host/dl EOF.");
    // First start: offered with its text, the version remembered.
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::Declined);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, kOffer319);
    EXPECT_EQ(boxes()[0].caption, "Version Update Available...");
    EXPECT_EQ(boxes()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(boxes()[0].icon, MessageIcon::Question);
    const RecordedCall get = platform.callsOf(CallKind::HttpGet).at(0);
    EXPECT_EQ(get.caption, "Mozilla/4.0 (compatible) Facetwright");
    EXPECT_GT(get.a, 0);
    EXPECT_LE(get.a, 10000);

    // Next start, with the settings stored at shutdown and read back: nothing.
    ConfigFile config{dir + "Config.ini", &log};
    Model model;
    ASSERT_TRUE(configWriteAll(config, settings, model));
    settings = Settings{};
    configReadAll(config, settings, model);
    EXPECT_EQ(offered(), (ReleaseVersion{2, 61, 319}));
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::NoUpdate);
    EXPECT_TRUE(boxes().empty());

    // The menu command offers it again; Yes opens the download, then the release notes.
    Editor editor{platform};
    editor.settings = settings;
    platform.messageAnswers = {MessageAnswer::Yes};
    platform.calls.clear();
    runMenuCommand(editor, CmdCheckUpdatesNow);
    EXPECT_TRUE(platform.shownMessage("Version Update Available...", kOffer319));
    const auto opened = platform.callsOf(CallKind::OpenUrl);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].text, "http://host/dl");
    EXPECT_EQ(opened[1].text, kReleaseNotesUrl);
}

TEST_F(UpdateCheck, OffersOnlyNewerReleases) {
    // A higher major wins over lower minor and build.
    serve("v,3,0,1,https://host/3 EOF.");
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::Declined);
    EXPECT_EQ(offered(), (ReleaseVersion{3, 0, 1}));

    // An older release is never offered, though its minor is higher than ours.
    settings = Settings{};
    serve("v,1,70,1,https://host/1 EOF.");
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::NoUpdate);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(offered(), runningVersion()); // raised from the missing -1
    EXPECT_EQ(check(UpdateCheckMode::Interactive), UpdateCheckResult::NoUpdate);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(platform.shownMessage("Check for Updates", kNoUpdates));

    // A remembered offer above the running version holds back the same release silently.
    settings.offeredMajorVersion = 3;
    settings.offeredMinorVersion = 0;
    settings.offeredBuildNumber = 1;
    serve("v,3,0,1,https://host/3 EOF.");
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::NoUpdate);
}

TEST_F(UpdateCheck, BrokenFilesAndFailuresOfferNothing) {
    // Empty, junk and an over-long file without a line end: silently nothing at all.
    for (const std::string& body :
         {std::string(), std::string("<html>Not here</html>"), std::string(2000, '7'),
          "v,9,0,0,http://host/" + std::string(2000, 'a')}) {
        serve(body);
        EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::NoUpdate);
        EXPECT_TRUE(boxes().empty());
    }

    // Unreachable: silently nothing; from the menu the failure box and no "no updates" box.
    platform.httpBodies.clear();
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::Failed);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(check(UpdateCheckMode::Interactive), UpdateCheckResult::Failed);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "An error occured during the update check!  Please try again later...");
    EXPECT_EQ(boxes()[0].caption, "Check for Updates");
    EXPECT_NE(readText(dir + "test.log").find("Update Check Failed!"), std::string::npos);

    // A download address that is not a web page is not opened; the release notes are.
    serve("v,2,62,0,file:///etc/passwd EOF.");
    platform.messageAnswers = {MessageAnswer::Yes};
    EXPECT_EQ(check(UpdateCheckMode::Interactive), UpdateCheckResult::Accepted);
    const auto opened = platform.callsOf(CallKind::OpenUrl);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].text, kReleaseNotesUrl);
    EXPECT_NE(readText(dir + "test.log").find("file:///etc/passwd"), std::string::npos);
}

TEST_F(UpdateCheck, StartupChecksOnlyWhenEnabledAndAtTheChosenAddress) {
    platform.environment[kUpdateUrlVariable] = std::string("http://127.0.0.1:1/v.txt");
    platform.httpBodies["http://127.0.0.1:1/v.txt"] = "v,2,61,319,http://host/dl EOF.";
    settings.enableUpdateChecking = false;
    startupUpdateCheck(platform, log, settings);
    EXPECT_TRUE(platform.callsOf(CallKind::HttpGet).empty());
    settings.enableUpdateChecking = true;
    startupUpdateCheck(platform, log, settings);
    ASSERT_EQ(platform.callsOf(CallKind::HttpGet).size(), 1u);
    EXPECT_TRUE(platform.shownMessage("Version Update Available...", kOffer319));
}
