// Shared by the fuzz targets: a scratch file for readers that take a path, quiet models, the model
// invariants, and a byte reader for the targets that decode operations from their input.
#pragma once

#include "../scratch_dirs.h"
#include "model/model.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// A failed invariant is a crash, so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #cond);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

// Models log to the per-user directory; point that at a folder that does not exist so no run
// writes a log file, then turn the channel off altogether.
inline std::unique_ptr<Model> quietModel() {
    static const bool once = [] {
        setenv("APPDATA", "/nonexistent/fuzz-appdata", 1);
        return true;
    }();
    (void)once;
    auto m = std::make_unique<Model>();
    m->log.enabled = false;
    return m;
}

// A quiet model that already holds two meshes (9 vertices, the second on material 1 of two), so
// that what a reader appends is checked against records it must leave and shift past.
inline std::unique_ptr<Model> modelWithTwoMeshes() {
    std::unique_ptr<Model> m = quietModel();
    m->vertices.resize(9);
    for (int i = 0; i < 9; ++i) m->vertices[i].x = static_cast<float>(i);
    m->meshes.resize(2);
    m->meshes[0].triangleCount = 1;
    m->meshes[1].firstVertex = 3;
    m->meshes[1].triangleCount = 2;
    m->meshes[1].MaterialNumber = 1;
    m->materials.resize(2);
    m->currentMesh = 1;
    return m;
}

// The input as the bytes a reader takes.
inline std::string bytes(const uint8_t* data, std::size_t size) {
    return size ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
}

// The input written to one file per process, rewritten on every run; its folder goes at a normal
// exit (libFuzzer itself leaves by _Exit, so its runner points TMPDIR at a folder it removes).
inline const std::string& scratchFile(const uint8_t* data, std::size_t size) {
    static std::string path = [] {
        const std::string dir = fwtest::makeTempDir("fwfuzz");
        if (dir.empty()) std::abort();
        return dir + "/input";
    }();
    if (!data) return path;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) std::abort();
    for (std::size_t done = 0; done < size;) {
        ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    close(fd);
    return path;
}

// What every reader and every edit must leave: meshes inside the vertex array, on whole
// triangles, naming existing materials.
inline void checkModel(const Model& m) {
    const int64_t vertices = static_cast<int64_t>(m.vertices.size());
    FUZZ_CHECK(vertices <= INT32_MAX && m.meshes.size() <= INT32_MAX);
    for (const Mesh& mesh : m.meshes) {
        FUZZ_CHECK(mesh.firstVertex >= 0 && mesh.triangleCount >= 0);
        FUZZ_CHECK(mesh.firstVertex <= vertices);
        FUZZ_CHECK(mesh.triangleCount <= (vertices - mesh.firstVertex) / 3);
        FUZZ_CHECK(mesh.MaterialNumber >= 0 && mesh.MaterialNumber < materialCount(m));
    }
}

// Positions, normals and texture coordinates all finite.
inline void checkFinite(const Model& m) {
    for (const Vertex& v : m.vertices) {
        FUZZ_CHECK(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
        FUZZ_CHECK(std::isfinite(v.normalX) && std::isfinite(v.normalY) &&
                   std::isfinite(v.normalZ));
        FUZZ_CHECK(std::isfinite(v.textureX) && std::isfinite(v.textureY));
    }
}

// Takes bytes from the front of the input; zeros once it runs out.
struct Bytes {
    const uint8_t* data;
    std::size_t size;
    bool empty() const { return size == 0; }
    uint8_t byte() {
        if (!size) return 0;
        --size;
        return *data++;
    }
    // Low byte first: the two reads are sequenced, not left to the order operands are evaluated in.
    int32_t int16() {
        const int low = byte();
        const int high = byte();
        return static_cast<int16_t>(low | high << 8);
    }
    // A value in [-range, range] in steps of range / 127.
    float amount(float range) { return static_cast<int8_t>(byte()) * (range / 127.0f); }
    // High byte first, the whole range of int32_t.
    int32_t int32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | byte();
        return static_cast<int32_t>(v);
    }
};

} // namespace fuzz
