// Running out of memory: a command, a load and a texture each end cleanly, with the model as it
// was, in a child process whose address space is capped.
#include "app/commands.h"
#include "app/textures.h"
#include "base/paths.h"
#include "edit/model_io.h"
#include "edit/undo.h"
#include "editor_fixture.h"
#include "resources/menu_table.h"
#include "temp_files.h"

#include <functional>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define FW_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FW_ASAN 1
#endif
#endif

namespace {

// Runs body in a forked child allowed extraBytes of address space beyond what it has; the child's
// exit status is body's result, or the signal that ended it (an abort) plus 128.
int inLimitedChild(std::size_t extraBytes, const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        malloc_trim(0); // what earlier tests freed must not count as headroom
        long pages = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
            std::fclose(f);
        }
        const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + extraBytes;
        const rlimit r{limit, limit};
        if (pages == 0 || setrlimit(RLIMIT_AS, &r) != 0) _exit(99);
        // Anything uncaught ends the child by an abort, as it would end the program.
        _exit([&]() noexcept { return body(); }());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A mesh of n triangles whose vertex list is exactly its size, as a load leaves it.
void bigMesh(Model& m, int32_t triangles) {
    m.vertices = std::vector<Vertex>(static_cast<std::size_t>(3 * triangles));
    for (std::size_t i = 0; i < m.vertices.size(); ++i) m.vertices[i].x = static_cast<float>(i);
    m.meshes = std::vector<Mesh>(1);
    m.meshes[0].triangleCount = triangles;
    m.materials = std::vector<Material>(1);
    m.LoadOK = true;
}

constexpr std::size_t kHeadroom = 8u << 20;

} // namespace

class MemoryExhaustion : public fwtest::LaidOutEditor {
  protected:
    void SetUp() override {
#ifdef FW_ASAN
        GTEST_SKIP() << "AddressSanitizer reserves terabytes of shadow memory, so no address "
                        "space limit fits, and its operator new aborts instead of throwing";
#endif
    }
};

TEST_F(MemoryExhaustion, ACommandEndsWithAnErrorBoxAndTheModelAsItWas) {
    Model& m = editor.edit;
    bigMesh(m, 200000); // 600,000 vertices, 34 MB: a copy cannot fit in the headroom
    setupUndo(m, 1);
    takeSnapshot(m); // both slots now hold the model's size, so a snapshot needs no new memory
    takeSnapshot(m);
    const int result = inLimitedChild(kHeadroom, [&] {
        runCommand(editor, CmdDuplicateMesh);
        const auto boxes = platform.callsOf(CallKind::MessageBox);
        if (boxes.size() != 1 || boxes[0].caption != "ERROR") return 1;
        if (boxes[0].text.find("as it was") == std::string::npos) return 2;
        if (vertexCount(m) != 600000 || meshCount(m) != 1 || m.vertices[5].x != 5.0f) return 3;
        return m.undo.canRedo ? 4 : 0; // the failed command left no step behind
    });
    EXPECT_EQ(result, 0);
}

TEST_F(MemoryExhaustion, ALoadAndATextureFailCleanly) {
    const std::string dir = fwtest::makeScratchDir();
    Model& m = editor.edit;
    bigMesh(m, 1);
    m.fileName = dir + "none.FW2";
    // A legacy file of 10 meshes sharing one 100 x 100 grid: 588,060 vertices (33 MB) in all,
    // within what its grid points allow.
    std::string text = "MAT,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0,0,0,0,0,0,1,1,1,1,m\n";
    for (int i = 0; i < 10000; ++i)
        text += "VTX," + std::to_string(i) + "," + std::to_string(i % 100) + "," +
                std::to_string(i / 100) + ",0,0,0,1,1,1,1\n";
    for (int k = 0; k < 10; ++k) text += "MSH," + std::to_string(k) + ",0,100,100,0\n";
    fwtest::writeText(dir + "big.FW2", text);
    platform.images[dir + "huge.bmp"].width = 4096; // decoding it needs 64 MB
    platform.images[dir + "huge.bmp"].height = 4096;
    platform.images[dir + "huge.bmp"].pixels.assign(4u * 4096 * 4096, 9);
    ASSERT_TRUE(setCurrentDirectory(dir));
    const int result = inLimitedChild(kHeadroom, [&] {
        m.fileName = dir + "big.FW2";
        m.loadWithoutDialog = true;
        std::string error;
        if (loadModel(m, &error) || error.empty()) return 1;
        if (vertexCount(m) != 3 || m.fileName != dir + "big.FW2" || !m.LoadOK) return 2;
        RgbaImage out;
        return readTextureImage(platform, "huge.bmp", 8192, out) ? 3 : 0;
    });
    EXPECT_EQ(result, 0);
}
