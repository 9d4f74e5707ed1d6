// facetwright-tool: inspect, convert and dump model files from the command line.
//
// Sections: usage text, loading, info, convert, dump, entry point.
#include "base/numbers.h"
#include "base/paths.h"
#include "edit/model_io.h"
#include "edit/normals.h"
#include "model/model.h"
#include "model/model_file.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "resources/default_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// ---- usage text -------------------------------------------------------------------------

const char* const kUsage =
    "Usage: facetwright-tool COMMAND ARGUMENTS\n"
    "\n"
    "Reads and writes model files with exactly the editor's readers and writers. The log goes\n"
    "to Facetwright.Log in the per-user directory, as the editor's does.\n"
    "\n"
    "FILE and IN may be model files (.FW2, with or without a version line) or Wavefront OBJ\n"
    "files (.OBJ, in any case). An OBJ file is imported exactly as the editor's \"Import .OBJ\n"
    "File\" does, into a model that starts with no vertices, no meshes and the one material of\n"
    "the default new model: every group of faces becomes a mesh of material 0.\n"
    "\n"
    "Commands:\n"
    "  info FILE         Load FILE and print its counts and bounds:\n"
    "                      vertices: N\n"
    "                      triangles: N\n"
    "                      meshes: N\n"
    "                      materials: N\n"
    "                      textures: N\n"
    "                      bounds: minx miny minz maxx maxy maxz   (only when there are vertices)\n"
    "  convert IN OUT    Load IN and write OUT; the format of OUT follows its extension\n"
    "                    (.FW2 or .OBJ, in any case). An OBJ gets every vertex with its texture\n"
    "                    coordinates and finished normal, one face per triangle. OUT is left\n"
    "                    untouched when anything fails.\n"
    "  dump FILE         Load FILE, finish the normal recalculation and print one line per mesh\n"
    "                      mesh I first F triangles N material M smooth S\n"
    "                    then one line per vertex\n"
    "                      vertex I X Y Z NX NY NZ U V\n"
    "  --help            Show this text.\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be loaded or written (the reason goes to\n"
    "standard error), 2 for a command line that is not understood.\n";

// ---- loading ----------------------------------------------------------------------------

bool isObj(const std::string& path) {
    return upperExtension(path) == "OBJ";
}

// The default new model without its geometry: no vertices, no meshes, its one material.
bool loadEmptyModel(Model& m) {
    char name[] = "/tmp/facetwright-tool.XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return false;
    const std::string_view text = defaultFileContent(DefaultFile::NewModel);
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    m.fileName = name;
    const bool ok = written && readModelFile(m);
    ::unlink(name);
    m.vertices.clear();
    m.meshes.clear();
    m.fileName.clear();
    return ok;
}

// Loads the file the way the editor loads one named on its command line; an OBJ file is imported
// into an empty model the way the editor's import menu does it.
bool loadFile(Model& m, const std::string& path) {
    if (isObj(path)) {
        if (!loadEmptyModel(m)) {
            std::fprintf(stderr, "ERROR: the default new model could not be set up\n");
            return false;
        }
        const FileResult r = importObj(m, path);
        if (!r.ok) {
            std::fprintf(stderr, "%s\n", r.error.c_str());
            return false;
        }
        recalculateNormals(m);
        return true;
    }
    m.fileName = path;
    m.loadWithoutDialog = true;
    std::string error;
    if (!loadModel(m, &error)) {
        std::fprintf(stderr, "%s\n",
                     error.empty() ? "ERROR: the model could not be loaded" : error.c_str());
        return false;
    }
    m.hasFileName = true;
    return true;
}

void printF(const char* label, const float* values, int n) {
    std::string line = label;
    for (int i = 0; i < n; ++i) {
        line += (i == 0) ? ": " : " ";
        appendFixed6(line, values[i]);
    }
    std::printf("%s\n", line.c_str());
}

// ---- info -------------------------------------------------------------------------------

int commandInfo(const std::string& path) {
    Model m;
    if (!loadFile(m, path)) return 1;
    std::printf("vertices: %d\n", vertexCount(m));
    std::printf("triangles: %d\n", triangleCount(m));
    std::printf("meshes: %d\n", meshCount(m));
    std::printf("materials: %d\n", materialCount(m));
    std::printf("textures: %d\n", textureCount(m));
    if (!m.vertices.empty()) {
        float b[6] = {m.vertices[0].x, m.vertices[0].y, m.vertices[0].z,
                      m.vertices[0].x, m.vertices[0].y, m.vertices[0].z};
        for (const Vertex& v : m.vertices) {
            b[0] = std::min(b[0], v.x), b[1] = std::min(b[1], v.y), b[2] = std::min(b[2], v.z);
            b[3] = std::max(b[3], v.x), b[4] = std::max(b[4], v.y), b[5] = std::max(b[5], v.z);
        }
        printF("bounds", b, 6);
    }
    return 0;
}

// ---- convert ----------------------------------------------------------------------------

int commandConvert(const std::string& in, const std::string& out) {
    const std::string ext = upperExtension(out);
    if (ext != "FW2" && ext != "OBJ") {
        std::fprintf(stderr, "ERROR: cannot write '%s': unknown format '.%s' (known: .FW2, .OBJ)\n",
                     out.c_str(), ext.c_str());
        return 1;
    }
    Model m;
    if (!loadFile(m, in)) return 1;
    std::string error;
    if (ext == "OBJ") {
        completeNormals(m); // every "vn" line holds a finished normal
        error = exportObj(m, out).error;
    } else {
        m.fileName = out;
        if (!saveModel(m, &error) && error.empty()) error = "ERROR";
    }
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", error.c_str(), out.c_str());
        return 1;
    }
    return 0;
}

// ---- dump -------------------------------------------------------------------------------

int commandDump(const std::string& path) {
    Model m;
    if (!loadFile(m, path)) return 1;
    completeNormals(m);
    for (int32_t i = 0; i < meshCount(m); ++i) {
        const Mesh& mesh = m.meshes[i];
        std::printf("mesh %d first %d triangles %d material %d smooth %d\n", i, mesh.firstVertex,
                    mesh.triangleCount, mesh.MaterialNumber, mesh.smooth ? 1 : 0);
    }
    std::string line;
    for (int32_t i = 0; i < vertexCount(m); ++i) {
        const Vertex& v = m.vertices[i];
        line = "vertex ";
        appendInt(line, i);
        for (float f : {v.x, v.y, v.z, v.normalX, v.normalY, v.normalZ, v.textureX, v.textureY}) {
            line += ' ';
            appendFixed6(line, f);
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}

} // namespace

// ---- entry point ------------------------------------------------------------------------

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::string command = argc >= 2 ? argv[1] : "";
    const bool known = (command == "info" && argc == 3) || (command == "dump" && argc == 3) ||
                       (command == "convert" && argc == 4);
    if (!known) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // The reader moves the current directory to the model's folder, so fix paths first.
    const std::string first = absolutePath(argv[2]);
    const std::string second = argc == 4 ? absolutePath(argv[3]) : std::string();
    makeDirectories(userDirectory());
    if (command == "info") return commandInfo(first);
    if (command == "dump") return commandDump(first);
    return commandConvert(first, second);
}
