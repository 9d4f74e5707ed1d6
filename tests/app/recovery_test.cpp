// Recovery copies: written while the model has unsaved changes, dropped when it matches its file,
// offered after an editor ended without closing, never shared between running editors.
#include "app/commands.h"
#include "app/default_files_writer.h"
#include "app/file_commands.h"
#include "app/recovery.h"
#include "app/startup.h"
#include "base/clock.h"
#include "base/paths.h"
#include "platform/fake_platform.h"
#include "resources/menu_table.h"
#include "temp_files.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using fwtest::readText;
using fwtest::writeText;

namespace {

struct RecoveryFixture : ::testing::Test {
    FakePlatform platform;
    Editor editor{platform};
    std::string dir;
    RecoveryFixture() {
        dir = userDirectory();
        editor.userDirectory = dir;
        std::filesystem::remove_all(dir + "Recovery");
        writeMissingDefaultFiles(dir, editor.log);
        platform.environment[kAutosaveVariable] = "2";
        startRecovery(editor);
        newModel(editor);
    }
    std::string ownCopy() const { return editor.recovery.ownPath; }
    // One recovery step at time t, then the write it started, carried through to its end.
    void stepAt(int64_t t) {
        stepRecovery(editor, t);
        while (editor.recovery.worker.joinable() && !editor.recovery.workerDone) sleepMs(5);
        stepRecovery(editor, t);
    }
};

} // namespace

TEST_F(RecoveryFixture, CopiesFollowUnsavedChanges) {
    EXPECT_EQ(editor.recovery.intervalMs, 2000);
    Model& m = editor.edit;
    const int64_t t0 = editor.recovery.lastCheckMs;
    // no change, no copy
    stepAt(t0 + 2000);
    EXPECT_FALSE(fileExists(ownCopy()));
    // a change is written once the interval has passed, and not before
    m.vertices[0].x = 0.5f;
    stepAt(t0 + 3000);
    EXPECT_FALSE(fileExists(ownCopy()));
    stepAt(t0 + 4000);
    ASSERT_TRUE(fileExists(ownCopy()));
    EXPECT_NE(readText(ownCopy()).find("\nVTX,0,0.500000,"), std::string::npos);
    // undone by hand, the model matches its file again: the copy goes
    m.vertices[0].x = -1;
    stepAt(t0 + 6000);
    EXPECT_FALSE(fileExists(ownCopy()));
    // a save removes it at once, as does a change thrown away in the box
    m.vertices[0].x = 0.25f;
    stepAt(t0 + 8000);
    ASSERT_TRUE(fileExists(ownCopy()));
    platform.saveAnswers = {dir + "saved.FW2"};
    runCommand(editor, CmdSave);
    EXPECT_FALSE(fileExists(ownCopy()));
    m.vertices[0].x = 0.75f;
    stepAt(t0 + 10000);
    ASSERT_TRUE(fileExists(ownCopy()));
    platform.messageAnswers = {MessageAnswer::No};
    runCommand(editor, CmdNew);
    EXPECT_FALSE(fileExists(ownCopy()));
    // 0 seconds: no copies at all
    platform.environment[kAutosaveVariable] = "0";
    startRecovery(editor);
    m.vertices[0].x = 0.5f;
    stepAt(t0 + 20000);
    EXPECT_FALSE(fileExists(ownCopy()));
}

TEST_F(RecoveryFixture, LeftCopiesAreOfferedAndRecoveredUnderTheModelsName) {
    Model& m = editor.edit;
    // an edit of a named model, kept for recovery by this editor
    platform.saveAnswers = {dir + "ship.FW2"};
    runCommand(editor, CmdSaveAs);
    m.vertices[2].y = 1.5f;
    stepAt(editor.recovery.lastCheckMs + 2000);
    ASSERT_TRUE(fileExists(ownCopy()));
    // ... whose process is gone: the same process id with another start time
    const std::string left = dir + "Recovery/" + std::to_string(::getpid()) + "-1.FW2";
    std::filesystem::rename(ownCopy(), left);
    m.vertices[2].y = 1;
    editor.recovery.haveWritten = false;

    // No deletes it
    platform.messageAnswers = {MessageAnswer::No};
    std::filesystem::copy_file(left, dir + "keep.FW2");
    offerRecovery(editor);
    ASSERT_EQ(platform.callsOf(CallKind::MessageBox).size(), 1u);
    const RecordedCall box = platform.callsOf(CallKind::MessageBox)[0];
    EXPECT_EQ(box.caption, "Recover Unsaved Work");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_NE(box.text.find(dir + "ship.FW2"), std::string::npos);
    EXPECT_FALSE(fileExists(left) || fileExists(ownCopy()));
    EXPECT_EQ(m.vertices[2].y, 1.0f);

    // Yes opens it under the model's name, marked changed; Save writes the original file
    std::filesystem::rename(dir + "keep.FW2", left);
    runCommand(editor, CmdNew);
    platform.messageAnswers = {MessageAnswer::Yes};
    offerRecovery(editor);
    EXPECT_EQ(m.fileName, dir + "ship.FW2");
    EXPECT_TRUE(m.hasFileName);
    EXPECT_EQ(m.vertices[2].y, 1.5f);
    EXPECT_TRUE(modelChanged(m));
    EXPECT_TRUE(fileExists(ownCopy())); // now this editor's own
    runCommand(editor, CmdSave);
    EXPECT_NE(readText(dir + "ship.FW2").find("\nVTX,2,1.000000,1.500000,"), std::string::npos);
    EXPECT_FALSE(fileExists(ownCopy()));
    EXPECT_FALSE(modelChanged(m));
}

// Another editor's copy, while it runs, is neither offered nor removed; once it has been killed
// it is offered.
TEST_F(RecoveryFixture, RunningEditorsKeepTheirCopies) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        const std::string name = ownRecoveryName();
        (void)!::write(pipeEnds[1], name.data(), name.size());
        ::pause();
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    char buf[64] = {};
    ASSERT_GT(::read(pipeEnds[0], buf, sizeof buf - 1), 0);
    ::close(pipeEnds[0]);
    const std::string name = buf;
    const std::string theirs = dir + "Recovery/" + name;
    writeText(theirs, readText(dir + "NEW_MODEL.FW2"));
    EXPECT_TRUE(recoveryOwnerRunning(name));
    EXPECT_NE(name, ownRecoveryName());

    offerRecovery(editor);
    EXPECT_TRUE(platform.callsOf(CallKind::MessageBox).empty());
    runCommand(editor, CmdNew);
    dropRecoveryCopy(editor.recovery);
    EXPECT_TRUE(fileExists(theirs));

    // killed (and not yet reaped, as a killed editor may be for a while): no longer running
    ::kill(other, SIGKILL);
    for (int i = 0; i < 200 && recoveryOwnerRunning(name); ++i) sleepMs(5);
    EXPECT_FALSE(recoveryOwnerRunning(name));
    offerRecovery(editor);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox).size(), 1u);
    ::waitpid(other, nullptr, 0);
}
