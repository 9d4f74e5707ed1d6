// The update check: reading the version file and what is offered, silently and from the menu.
#include "app/update_check.h"

#include "app/commands.h"
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
const char kOfferCaption[] = "Version Update Available...";

// The version read, or {-1, -1, -1} when parsing fails.
ReleaseVersion versionOf(const std::string& text) {
    VersionFile f;
    return parseVersionFile(text.data(), text.size(), f) ? f.version : ReleaseVersion{-1, -1, -1};
}

struct UpdateCheck : ::testing::Test {
    std::string dir = makeScratchDir();
    FakePlatform platform;
    LogChannel log;
    Settings settings; // Offered... start as a missing key (-1), as on a first run
    UpdateCheck() { logOpen(log, dir + "test.log"); }

    UpdateCheckResult check(UpdateCheckMode mode, const char* body = nullptr) {
        if (body) platform.httpBodies[kUpdateUrl] = body;
        platform.calls.clear();
        return checkForUpdates(platform, log, settings, mode);
    }
    std::vector<RecordedCall> boxes() const { return platform.callsOf(CallKind::MessageBox); }
};

} // namespace

TEST(VersionFile, ParsesTheLineAndNothingElse) {
    // The line with the rest ignored; numbers as %i reads them; a NUL ends the text.
    VersionFile f;
    const std::string text = "v,2,61,319,https://host/dl.zip EOF.\r\nanything";
    ASSERT_TRUE(parseVersionFile(text.data(), text.size(), f));
    EXPECT_EQ(f.version, (ReleaseVersion{2, 61, 319}));
    EXPECT_EQ(f.downloadUrl, "https://host/dl.zip");
    EXPECT_EQ(versionOf("v, 3,0x10,010,x\n"), (ReleaseVersion{3, 16, 8}));
    EXPECT_EQ(versionOf(std::string("\0v,3,0,1,x", 10)), (ReleaseVersion{-1, -1, -1}));
    // Anything short of all four fields reads as nothing, and leaves nothing behind.
    for (const char* bad : {"", "v", "V,3,0,1,x", " v,3,0,1,x", "v,3,0,1", "v,3,0,1,", "v,3;0,1,x",
                            "v,3,0,x,y", "v,99999999999,0,1,x", "<html>404</html>"})
        EXPECT_EQ(versionOf(bad), (ReleaseVersion{-1, -1, -1})) << bad;
    EXPECT_FALSE(parseVersionFile("v,3,0,1,x", 3, f));
    EXPECT_EQ(f.version, ReleaseVersion{});
    EXPECT_FALSE(parseVersionFile(nullptr, 10, f));

    // Only 1024 bytes are read: a line within them counts, an address cut by them does not.
    EXPECT_EQ(versionOf("v,3,0,1,http://host/dl " + std::string(2000, 'x')),
              (ReleaseVersion{3, 0, 1}));
    EXPECT_EQ(versionOf("v,3,0,1,http://host/" + std::string(2000, 'a')),
              (ReleaseVersion{-1, -1, -1}));
    const std::string exact = "v,3,0,1,http://host/" + std::string(1004, 'a') + "\n";
    ASSERT_TRUE(parseVersionFile(exact.data(), exact.size(), f));
    EXPECT_EQ(f.downloadUrl.size(), 1016u);
}

TEST_F(UpdateCheck, OffersEachReleaseOnceSilentlyAndAgainFromTheMenu) {
    // First start: offered with its text, the version remembered.
    EXPECT_EQ(check(UpdateCheckMode::Silent, "v,2,61,319,http://host/dl EOF."),
              UpdateCheckResult::Declined);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, kOffer319);
    EXPECT_EQ(boxes()[0].caption, kOfferCaption);
    EXPECT_EQ(boxes()[0].buttons, MessageButtons::YesNo);
    const RecordedCall get = platform.callsOf(CallKind::HttpGet).at(0);
    EXPECT_EQ(get.caption, "Mozilla/4.0 (compatible) Facetwright");
    EXPECT_TRUE(get.a > 0 && get.a <= 10000) << get.a;

    // Next start, with the settings stored at shutdown and read back: nothing.
    ConfigFile config{dir + "Config.ini", &log, nullptr};
    Model model;
    ASSERT_TRUE(configWriteAll(config, settings, model));
    settings = Settings{};
    configReadAll(config, settings, model);
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::NoUpdate);
    EXPECT_TRUE(boxes().empty());

    // The menu command offers it again; Yes opens the download, then the release notes.
    Editor editor{platform};
    editor.settings = settings;
    platform.messageAnswers = {MessageAnswer::Yes};
    platform.calls.clear();
    runCommand(editor, CmdCheckUpdatesNow);
    EXPECT_TRUE(platform.shownMessage(kOfferCaption, kOffer319));
    const auto opened = platform.callsOf(CallKind::OpenUrl);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].text, "http://host/dl");
    EXPECT_EQ(opened[1].text, kReleaseNotesUrl);
}

TEST_F(UpdateCheck, OffersOnlyNewerReleases) {
    // A higher major wins over lower minor and build.
    EXPECT_EQ(check(UpdateCheckMode::Silent, "v,3,0,1,https://host/3 EOF."),
              UpdateCheckResult::Declined);
    EXPECT_EQ(settings.offeredMajorVersion, 3);
    // The same release stays held back silently while it is the one offered last.
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::NoUpdate);

    // An older release is never offered, though its minor is higher than ours.
    settings = Settings{};
    EXPECT_EQ(check(UpdateCheckMode::Silent, "v,1,70,1,https://host/1 EOF."),
              UpdateCheckResult::NoUpdate);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(settings.offeredMinorVersion, 61); // raised from the missing -1
    EXPECT_EQ(check(UpdateCheckMode::Interactive), UpdateCheckResult::NoUpdate);
    EXPECT_TRUE(platform.shownMessage("Check for Updates",
                                      "There are currently no updates \navailable for download.  "
                                      "Please\n visit the website for latest release\n "
                                      "information."));
}

TEST_F(UpdateCheck, BrokenFilesAndFailuresOfferNothing) {
    // Empty, junk and over-long files: silently nothing at all.
    const std::string cut = "v,9,0,0,http://host/" + std::string(2000, 'a');
    const std::string digits(2000, '7');
    for (const char* body : {"", "<html>Not here</html>", digits.c_str(), cut.c_str()}) {
        EXPECT_EQ(check(UpdateCheckMode::Silent, body), UpdateCheckResult::NoUpdate);
        EXPECT_TRUE(boxes().empty());
    }

    // Unreachable: silently nothing; from the menu the failure box alone.
    platform.httpBodies.clear();
    EXPECT_EQ(check(UpdateCheckMode::Silent), UpdateCheckResult::Failed);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(check(UpdateCheckMode::Interactive), UpdateCheckResult::Failed);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "An error occured during the update check!  Please try again later...");
    EXPECT_NE(readText(dir + "test.log").find("Update Check Failed!"), std::string::npos);

    // A download address that is not a web page is not opened; the release notes are.
    platform.messageAnswers = {MessageAnswer::Yes};
    EXPECT_EQ(check(UpdateCheckMode::Interactive, "v,2,62,0,file:///etc/passwd EOF."),
              UpdateCheckResult::Accepted);
    const auto opened = platform.callsOf(CallKind::OpenUrl);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].text, kReleaseNotesUrl);
}

TEST_F(UpdateCheck, StartupChecksOnlyWhenEnabledAndAtTheChosenAddress) {
    platform.environment[kUpdateUrlVariable] = std::string("http://127.0.0.1:1/v.txt");
    platform.httpBodies["http://127.0.0.1:1/v.txt"] = "v,2,61,319,http://host/dl EOF.";
    settings.enableUpdateChecking = false;
    startupUpdateCheck(platform, log, settings);
    EXPECT_TRUE(platform.callsOf(CallKind::HttpGet).empty());
    settings.enableUpdateChecking = true;
    startupUpdateCheck(platform, log, settings);
    EXPECT_TRUE(platform.shownMessage(kOfferCaption, kOffer319));
}
