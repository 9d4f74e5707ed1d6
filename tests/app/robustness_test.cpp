// Bad configuration files, revisions within one second, and start-up without a usable per-user
// folder.
#include "app/config.h"
#include "app/file_commands.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/update_check.h"
#include "base/paths.h"
#include "platform/fake_platform.h"
#include "resources/default_files.h"

#include "config_fixture.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace fwtest;

namespace {

struct ConfigRow {
    const char* what;
    std::string text;
    const char* key;
    std::string expected; // the value read, as text: an int, a float with %g, or "missing"
};

std::string readAs(const ConfigFile& config, const char* key) {
    const std::string k = key;
    if (k.rfind("Background", 0) == 0) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", static_cast<double>(configReadFloat(config, k)));
        return buf;
    }
    const int32_t v = configReadInt(config, k);
    return v == kConfigMissingInt ? "missing" : std::to_string(v);
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

} // namespace

TEST(Robustness, ConfigurationRows) {
    ConfigScratch f;
    const std::string& dir = f.dir;
    ConfigFile& config = f.config;
    const std::vector<ConfigRow> rows = {
        {"empty file", "", "WindowX", "missing"},
        {"truncated after the equals sign", "[config]\n\nWindowX = ", "WindowX", "missing"},
        {"truncated inside the key", "[config]\n\nWindowX = 5\nWind", "WindowX", "5"},
        {"=abc is one token", "=abc\nWindowX=7\n=5\n", "WindowX", "missing"},
        {"no blank before the equals sign", "WindowX= 7\n", "WindowX", "missing"},
        {"negative value is read as it is", "WindowWidth = -640\n", "WindowWidth", "-640"},
        {"duplicate keys: the first wins", "WindowX = 1\nWindowX = 2\n", "WindowX", "1"},
        {"a value that does not convert is no line", "WindowX = abc\nWindowX = 3\n", "WindowX",
         "3"},
        {"NUL ends the value", std::string("WindowX = 4\0junk\n", 17), "WindowX", "4"},
        {"binary junk lines", "\x01\xff\xfe\nWindowX = 6\n", "WindowX", "6"},
        {"byte-order mark before the header", "\xEF\xBB\xBF[config]\nWindowX = 8\n", "WindowX",
         "8"},
        {"CR LF", "[config]\r\n\r\nWindowX = 9\r\n", "WindowX", "9"},
        {"CR only: one line", "[config]\rWindowX = 9\r", "WindowX", "missing"},
        {"no final line end", "WindowX = 10", "WindowX", "10"},
        {"10 MB line never matches",
         "WindowX = 1" + std::string(10 << 20, '1') + "\nWindowX = 11\n", "WindowX", "11"},
        {"40-digit value", "WindowX = " + repeat("1234567890", 4) + "\n", "WindowX", "missing"},
        {"tabs around the equals sign", "WindowX\t=\t12\n", "WindowX", "12"},
        {"99999999999", "MaxUndoCount = 99999999999\n", "MaxUndoCount", "missing"},
        {"2147483647", "MaxUndoCount = 2147483647\n", "MaxUndoCount", "2147483647"},
        {"1e39", "BackgroundR = 1e39\n", "BackgroundR", "0"},
        {"-1.07797e-046", "BackgroundR = -1.07797e-046\n", "BackgroundR", "-0"},
        {"nan", "BackgroundR = nan\n", "BackgroundR", "0"},
        {"inf", "BackgroundR = inf\n", "BackgroundR", "0"},
        {"5x", "BackgroundR = 5x\n", "BackgroundR", "0"},
        {"1,5", "BackgroundR = 1,5\n", "BackgroundR", "0"},
        {"+2.0", "BackgroundR = +2.0\n", "BackgroundR", "2"},
    };
    for (const ConfigRow& row : rows) {
        writeText(config.path, row.text);
        EXPECT_EQ(readAs(config, row.key), row.expected) << row.what;
    }
    // Negative and tiny sizes become usable ones; a folder, FIFO or endless device reads as a
    // missing file at once.
    writeText(config.path, "WindowX = -5\nWindowWidth = -640\nWindowHeight = 0\n");
    Settings s;
    configReadWindowGeometry(config, s);
    EXPECT_EQ(s.windowX, 0);
    EXPECT_EQ(s.windowWidth, 800);
    EXPECT_EQ(s.windowHeight, 600);
    ASSERT_EQ(::mkfifo((dir + "fifo").c_str(), 0600), 0);
    for (const std::string& path : {dir, dir + "fifo", std::string("/dev/zero")}) {
        config.path = path;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(configReadInt(config, "WindowX"), kConfigMissingInt) << path;
        configWriteInt(config, "WindowX", 1); // refused, not blocked
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << path;
    }
}

TEST(Robustness, RevisionsWithinOneSecondNeverOverwrite) {
    FakePlatform platform;
    Editor editor{platform};
    const std::string dir = makeScratchDir();
    editor.edit.fileName = dir + "car.FW2";
    editor.edit.hasFileName = true;
    editor.edit.materials.resize(1);
    saveRevision(editor, 1000);
    const std::string first = readText(dir + "car_REV_1000.FW2");
    editor.edit.materials[0].name = "second";
    saveRevision(editor, 1000);
    saveRevision(editor, 1000);
    // the first stays as it was; the later ones get the next free suffix
    EXPECT_EQ(readText(dir + "car_REV_1000.FW2"), first);
    EXPECT_TRUE(contains(readText(dir + "car_REV_1000_2.FW2"), ",second\n"));
    EXPECT_TRUE(fileExists(dir + "car_REV_1000_3.FW2"));
    EXPECT_EQ(editor.edit.fileName, dir + "car.FW2");
}

// The per-user folder cannot be made (its parent is a file), lies where nothing can be created,
// or is on a read-only file system: the editor still starts with the default settings and an empty
// model, saying why.
TEST(Robustness, StartsWithoutAUsableUserFolder) {
    const std::string dir = makeScratchDir();
    writeText(dir + "file", "x");
    const char* old = std::getenv("APPDATA");
    const std::string saved = old ? old : "";
    const std::string cwd = currentDirectory(); // start-up moves into the per-user folder
    std::vector<std::pair<std::string, int>> appDatas = {{dir + "file", 800}, {"/proc", 800}};
    // A read-only file system holding the folder and its settings: root may write there no more
    // than anyone else. The settings are read; the log and the rewrite at shutdown fail.
    const std::string readOnly = dir + "ro";
    makeDirectory(readOnly);
    const std::string config = "WindowWidth = 1024\n";
    if (::mount("tmpfs", readOnly.c_str(), "tmpfs", 0, "size=64k") == 0) {
        makeDirectory(readOnly + "/Facetwright");
        writeText(readOnly + "/Facetwright/Config.ini", config);
        if (::mount("tmpfs", readOnly.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0)
            appDatas.push_back({readOnly, 1024});
    }
    if (appDatas.size() < 3)
        std::printf("read-only mount not possible here (needs root); that case is skipped\n");
    for (const auto& [appData, width] : appDatas) {
        setenv("APPDATA", appData.c_str(), 1);
        FakePlatform platform;
        Editor editor{platform};
        ASSERT_TRUE(startEditor(editor, "")) << appData;
        EXPECT_EQ(editor.settings.windowWidth, width) << appData;
        EXPECT_EQ(editor.settings.targetFramerate, 60) << appData;
        EXPECT_EQ(editor.edit.fileName, "UNTITLED.FW2") << appData;
        EXPECT_EQ(platform.callsOf(CallKind::MessageBox).size(), 1u) << appData;
        shutdownEditor(editor); // the configuration cannot be written; nothing stops
    }
    setenv("APPDATA", saved.c_str(), 1);
    setCurrentDirectory(cwd);
    if (appDatas.size() == 3) {
        EXPECT_EQ(readText(readOnly + "/Facetwright/Config.ini"), config);
        ::umount(readOnly.c_str());
    }
}

// Relative paths given at start name places in the start folder: the model file, and through a
// relative APPDATA the per-user folder, where the log, the settings and the default files land.
TEST(Robustness, RelativePathsAtStartAreTakenFromTheStartFolder) {
    const std::string dir = makeScratchDir();
    makeDirectory(dir + "sub");
    writeText(dir + "sub/ship.FW2", std::string(defaultFileContent(DefaultFile::PreviewModel1)));
    const char* old = std::getenv("APPDATA");
    const std::string saved = old ? old : "";
    const std::string cwd = currentDirectory();
    setCurrentDirectory(dir);
    setenv("APPDATA", "appd", 1);
    {
        FakePlatform platform;
        Editor editor{platform};
        ASSERT_TRUE(startEditor(editor, "sub/ship.FW2"));
        EXPECT_EQ(editor.edit.fileName, dir + "sub/ship.FW2");
        EXPECT_EQ(meshCount(editor.edit), 6);
        EXPECT_TRUE(platform.callsOf(CallKind::MessageBox).empty());
        shutdownEditor(editor);
        const std::string user = dir + "appd/Facetwright/";
        for (const char* name : {"Facetwright.Log", "Config.ini", "NEW_MODEL.FW2"})
            EXPECT_TRUE(fileExists(user + name)) << name;
        // Models made before start-up and after it log into that same file.
        EXPECT_EQ(editor.edit.log.path, user + "Facetwright.Log");
        EXPECT_EQ(Model().log.path, user + "Facetwright.Log");
    }
    setenv("APPDATA", saved.c_str(), 1);
    setCurrentDirectory(cwd);
}

// Every writer on a file system with no room left: the old files keep their bytes, no temporary
// file stays, and the user is told.
TEST(Robustness, EveryWriterKeepsTheOldFileOnAFullDisk) {
    const std::string dir = makeScratchDir() + "full";
    makeDirectory(dir);
    if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{dir};
    const std::string folder = dir + "/";
    const std::vector<std::string> names = {"car.FW2", "car_REV_7.FW2", "car.OBJ", "Config.ini"};
    for (const std::string& name : names) writeText(folder + name, "old " + name);
    // The filler takes whatever room is left: less than a page remains.
    writeText(folder + "filler", std::string(64 << 10, 'f'));
    FakePlatform platform;
    Editor editor{platform};
    editor.edit.materials.resize(1);
    editor.edit.vertices.resize(3000); // far more than the space left
    editor.edit.meshes.resize(1);
    editor.edit.meshes[0].triangleCount = 1000;
    platform.saveAnswers = {folder + "car.FW2", folder + "car.OBJ"};
    saveModelAs(editor);
    exportObjCommand(editor);
    editor.edit.fileName = folder + "car.FW2";
    editor.edit.hasFileName = true;
    saveRevision(editor, 7); // car_REV_7.FW2 is taken, so this tries car_REV_7_2.FW2
    ConfigFile config;
    config.path = folder + "Config.ini";
    EXPECT_FALSE(configWriteAll(config, editor.settings, editor.edit));
    for (const std::string& name : names) EXPECT_EQ(readText(folder + name), "old " + name);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox).size(), 3u);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files += !!entry.exists();
    EXPECT_EQ(files, 5); // the four and the filler
}

// The version file as fetched: only a whole "v,major,minor,build,address" line within the first
// 1024 bytes counts; anything else offers nothing.
TEST(Robustness, VersionFileRows) {
    struct Row {
        const char* what;
        std::string text;
        const char* expected; // "major.minor.build address" or "none"
    };
    const std::vector<Row> rows = {
        {"empty", "", "none"},
        {"an HTML page", "<!DOCTYPE html>\n<html><body>Not found</body></html>\n", "none"},
        {"NUL before the address", std::string("v,2,1,3,\0http://h/d EOF.", 24), "none"},
        {"byte-order mark", "\xEF\xBB\xBFv,2,1,3,http://h/d EOF.", "none"},
        {"CR LF", "v,2,1,3,http://h/d EOF.\r\n", "2.1.3 http://h/d"},
        {"no line end", "v,2,1,3,http://h/d EOF.", "2.1.3 http://h/d"},
        {"tabs before the numbers", "v,\t2,\t1,\t3,http://h/d\tEOF.", "2.1.3 http://h/d"},
        {"40-digit number", "v," + repeat("1234567890", 4) + ",1,3,http://h/d EOF.", "none"},
        {"2147483647", "v,2147483647,1,3,http://h/d EOF.", "2147483647.1.3 http://h/d"},
        {"99999999999", "v,99999999999,1,3,http://h/d EOF.", "none"},
        {"+2 and -1", "v,+2,-1,3,http://h/d EOF.", "2.-1.3 http://h/d"},
        {"5x", "v,5x,1,3,http://h/d EOF.", "none"},
        {"too few fields", "v,2,1,http://h/d EOF.", "none"},
    };
    auto parsed = [](const char* data, std::size_t size) {
        VersionFile f;
        if (!parseVersionFile(data, size, f)) return std::string("none");
        return std::to_string(f.version.major) + "." + std::to_string(f.version.minor) + "." +
               std::to_string(f.version.build) + " " + f.downloadUrl;
    };
    for (const Row& row : rows)
        EXPECT_EQ(parsed(row.text.data(), row.text.size()), row.expected) << row.what;
    // 100 MB of junk, then the same with the line first: only the start is looked at.
    std::string big(100 << 20, 'x');
    EXPECT_EQ(parsed(big.data(), big.size()), "none");
    const std::string line = "v,2,1,3,http://h/d EOF.\n";
    big.replace(0, line.size(), line);
    EXPECT_EQ(parsed(big.data(), big.size()), "2.1.3 http://h/d");
}
