// facetwright-tool: inspect, convert, dump, render and edit model files from the command line.
//
// Sections: usage text, loading, info, convert and edit, dump, render, entry point. Built twice: as
// facetwright-tool without the drawing code, and with it (FW_TOOL_RENDER) as facetwright-render,
// the program the tool's render command becomes.
#include "base/numbers.h"
#include "base/paths.h"
#include "edit/model_io.h"
#include "edit/normals.h"
#include "model/file_formats.h"
#include "model/model.h"
#include "model/model_file.h"
#include "model/texture_rules.h"
#include "resources/default_files.h"
#include "tools/edit_command.h"

#ifdef FW_TOOL_RENDER
#include "app/config.h"
#include "app/settings.h"
#include "app/textures.h"
#include "base/safe_file.h"
#include "platform/qt/qt_platform.h"
#include "render/view_draw.h"
#include "tools/headless_render.h"
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// ---- usage text -------------------------------------------------------------------------

const char* const kUsage =
    "Usage: facetwright-tool COMMAND ARGUMENTS\n"
    "\n"
    "Reads and writes model files with exactly the editor's readers and writers. The log goes\n"
    "to facetwright-tool.Log in the per-user directory, beside the editor's Facetwright.Log,\n"
    "which the tool leaves alone.\n"
    "\n"
    "FILE and IN may be model files (.FW2, with or without a version line), Wavefront OBJ\n"
    "files (.OBJ, in any case) or glTF 2.0 files (.GLB, .GLTF; one mesh per primitive, with its\n"
    "material and texture). An OBJ file is imported exactly as the editor's \"Import .OBJ\n"
    "File\" does, into a model that starts with no vertices, no meshes and the one material of\n"
    "the default new model: every group of faces becomes a mesh of material 0. Any other file\n"
    "(an image, a text file) is no model file and is refused.\n"
    "\n"
    "Commands:\n"
    "  info FILE         Load FILE and print its counts and bounds:\n"
    "                      vertices: N\n"
    "                      triangles: N\n"
    "                      meshes: N\n"
    "                      materials: N\n"
    "                      textures: N\n"
    "                      bounds: minx miny minz maxx maxy maxz   (only when there are vertices)\n"
    "  convert IN OUT [--materials]\n"
    "                    Load IN and write OUT; the format of OUT follows its extension\n"
    "                    (.FW2, .OBJ, .GLB, .GLTF or .STL, in any case). An OBJ gets every vertex\n"
    "                    with its texture coordinates and finished normal, one face per\n"
    "                    triangle; with --materials it gets one object per mesh, shared\n"
    "                    vertices, faces v/vt/vn and an .mtl beside it. A .GLB holds its\n"
    "                    texture images; a .GLTF has its .bin and PNG images beside it. A .STL\n"
    "                    is binary, in model space. A .FW2 in another folder gets texture names\n"
    "                    that find the same images from there. OUT is left untouched when\n"
    "                    anything fails.\n"
    "  dump FILE         Load FILE, finish the normal recalculation and print one line per mesh\n"
    "                      mesh I first F triangles N material M smooth S\n"
    "                    then one line per vertex\n"
    "                      vertex I X Y Z NX NY NZ U V\n"
    "  render FILE OUT.png [--size WxH | --size N] [--view front|left|top|3d|all]\n"
    "                [--frame] [--thumbnail]\n"
    "                    Draw FILE as the editor draws the view, with no display needed, and\n"
    "                    write the picture to OUT.png. The view's camera is the one the editor\n"
    "                    starts with, and the view shows what it shows at start-up (grid, axes,\n"
    "                    points, wireframe; pins in 3d), shaded with the materials and\n"
    "                    textures in every view. The background is the editor's background\n"
    "                    colour from Config.ini in the per-user directory, or black. The size\n"
    "                    defaults to 256x256 (N means NxN, at most 4096 a side); the view to\n"
    "                    3d. \"all\" shows the four views side by side as the editor's window\n"
    "                    does, each a quarter of the picture.\n"
    "                    --frame moves every view's camera so that the whole visible model\n"
    "                    fills it, centred, the 3D view's angles kept. --thumbnail frames\n"
    "                    the same way, shows the shaded model alone (no grid, axes, points,\n"
    "                    wireframe or pins) and turns the 3D view to a three-quarter view\n"
    "                    from above; what the desktop's file thumbnails use.\n"
    "  edit IN OUT OPERATION...\n"
    "                    Load IN, apply the operations in order with the editor's own editing\n"
    "                    code and write OUT as convert does. A loaded model has nothing\n"
    "                    selected; rotate, scale and mirror act about the centre of the\n"
    "                    selection's bounding box, and locked vertices stay put. When an\n"
    "                    operation is unknown or fails, nothing is written and OUT is left\n"
    "                    untouched. Operations:\n"
    "%s"
    "  --help            Show this text.\n"
    "\n"
    "A texture image that cannot be found (or, for render, loaded) is named on standard error\n"
    "and in the log; the command still succeeds.\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be loaded or written or an edit operation\n"
    "is unknown or fails (the reason goes to standard error), 2 for a command line that is not\n"
    "understood.\n";

// The usage text with the edit operations' lines in place of their marker.
void printUsage(std::FILE* to) {
    std::string text = kUsage;
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, editOperationsHelp());
    std::fputs(text.c_str(), to);
}

// ---- loading ----------------------------------------------------------------------------

// The tool's own log: a thumbnailer runs the tool while the editor may be running, and every
// model restarts its log file.
std::string toolLogPath() {
    return userDirectory() + "facetwright-tool.Log";
}

// Loads the file the way the editor loads one named on its command line: a model file, or an
// import format read into a new model with the default new model's material. Anything else is
// refused.
bool loadFile(Model& m, const std::string& path) {
    const FileFormat* format = fileFormatOfPath(path);
    if (!format || !format->imports) {
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
    const FileResult r =
        importAsNewModel(m, *format, path, std::string(defaultFileContent(DefaultFile::NewModel)));
    if (!r.ok) {
        std::fprintf(stderr, "%s\n", r.error.c_str());
        return false;
    }
    return true;
}

// Names each texture whose image is missing on standard error and in the log. The command goes
// on: the geometry is all there.
void reportMissingTextures(const Model& m) {
    const std::string folder = m.textureFolder.empty() ? currentDirectory() : m.textureFolder;
    for (int i = 0; i < textureCount(m); ++i) {
        const Texture& t = m.textures[i];
        if (isRemoteTextureName(t.fileName) || fileExists(texturePath(t.fileName, folder)))
            continue;
        const std::string line = missingTextureLine(i, t.fileName);
        std::fprintf(stderr, "%s\n", line.c_str());
        logEntry(m.log, line);
    }
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
    Model m(toolLogPath());
    if (!loadFile(m, path)) return 1;
    reportMissingTextures(m);
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

// Writes m in format. Images to embed go through Qt's encoder where the tool has it, started only
// when a writer asks for one.
FileResult writeConverted(const FileFormat& format, const Model& m, const std::string& out) {
#ifdef FW_TOOL_RENDER
    std::unique_ptr<QtPlatform> platform;
    const PngSource png = [&platform](const std::string& path, std::string& bytes) {
        if (!platform) {
            ensureOffscreenQtApplication();
            platform = std::make_unique<QtPlatform>();
        }
        return texturePngSource(*platform)(path, bytes);
    };
    return format.write(m, out, png);
#else
    return format.write(m, out, PngSource());
#endif
}

#if !defined(FW_TOOL_RENDER) && defined(FW_TOOL_RENDER_DIR)
// What convert returns when the model has texture images to embed and this program has no image
// encoder: the drawing program, which has Qt's, runs the command instead.
constexpr int kNeedsImageProgram = -1;
#endif

// convert, and edit with its operations applied between loading and writing.
int commandConvert(const std::string& in, const std::string& out, bool materials,
                   const std::vector<EditOperation>& operations) {
    const FileFormat* format = materials && upperExtension(out) == "OBJ"
                                   ? &fileFormat(FormatObjMaterials)
                                   : fileFormatOfPath(out);
    if (!format) {
        std::fprintf(stderr, "ERROR: cannot write '%s': unknown format '.%s' (known: %s)\n",
                     out.c_str(), upperExtension(out).c_str(), knownExtensions().c_str());
        return 1;
    }
    Model m(toolLogPath());
    if (!loadFile(m, in)) return 1;
#if !defined(FW_TOOL_RENDER) && defined(FW_TOOL_RENDER_DIR)
    if ((format->id == FormatGlb || format->id == FormatGltf) && textureCount(m) > 0)
        return kNeedsImageProgram;
#endif
    reportMissingTextures(m);
    for (const EditOperation& op : operations) {
        std::string error, note;
        if (!applyEditOperation(m, op, error, note)) {
            std::fprintf(stderr, "ERROR: %s: %s\n", op.text.c_str(), error.c_str());
            return 1;
        }
        if (!note.empty()) std::printf("%s\n", note.c_str());
    }
    if (format->writesNormals) completeNormals(m);
    const FileResult r = writeConverted(*format, m, out);
    if (!r.ok) {
        std::fprintf(stderr, "%s: %s\n", r.error.empty() ? "ERROR" : r.error.c_str(), out.c_str());
        return 1;
    }
    return 0;
}

// ---- dump -------------------------------------------------------------------------------

int commandDump(const std::string& path) {
    Model m(toolLogPath());
    if (!loadFile(m, path)) return 1;
    reportMissingTextures(m);
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

// ---- render ------------------------------------------------------------------------------

#ifdef FW_TOOL_RENDER
struct RenderArguments {
    int width = 256, height = 256;
    int layout = kLayoutCount - 1; // the 3D view on its own
    RenderLook look;
    bool fetchRemote = false;
};

// "WxH" or "N"; both sides 1..kMaxRenderSide.
bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    int32_t w = 0, h = 0;
    if (x == std::string::npos) {
        if (!parseInt(text, w)) return false;
        h = w;
    } else if (!parseInt(text.substr(0, x), w) || !parseInt(text.substr(x + 1), h)) {
        return false;
    }
    if (w < 1 || h < 1 || w > kMaxRenderSide || h > kMaxRenderSide) return false;
    width = w;
    height = h;
    return true;
}

// The layout that shows the view: the split for "all", else that view maximised.
bool parseView(const std::string& text, int& layout) {
    static const char* const kNames[] = {"front", "left", "top", "3d"};
    static_assert(sizeof kNames / sizeof kNames[0] == View3D + 1, "one name per main view");
    if (text == "all") {
        layout = kLayoutSplit;
        return true;
    }
    for (int i = 0; i <= View3D; ++i)
        if (text == kNames[i]) {
            layout = i + 1;
            return true;
        }
    return false;
}

// Options after FILE and OUT; false for anything not understood.
bool parseRenderOptions(int argc, char** argv, RenderArguments& a) {
    for (int i = 4; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--frame") {
            a.look.frame = true;
            continue;
        }
        if (option == "--thumbnail") {
            a.look.thumbnail = true;
            continue;
        }
        if (option == "--fetch-remote") {
            a.fetchRemote = true;
            continue;
        }
        if (++i >= argc) return false;
        const std::string value = argv[i];
        if (option == "--size") {
            if (!parseSize(value, a.width, a.height)) return false;
        } else if (option == "--view") {
            if (!parseView(value, a.layout)) return false;
        } else {
            return false;
        }
    }
    return true;
}

int commandRender(const std::string& in, const std::string& out, const RenderArguments& a) {
    // The context comes first: texture images become texture objects in it as the model loads.
    OffscreenContext context;
    std::string error;
    if (!openOffscreenContext(context, a.width, a.height, error)) {
        std::fprintf(stderr, "ERROR: %s\n", error.c_str());
        return 1;
    }
    // A missing file or key reads as 0: black.
    ConfigFile config;
    config.path = userDirectory() + "Config.ini";
    initDrawingState(configReadFloat(config, settingKeyName(SettingKey::BackgroundR)),
                     configReadFloat(config, settingKeyName(SettingKey::BackgroundG)),
                     configReadFloat(config, settingKeyName(SettingKey::BackgroundB)));

    Model m(toolLogPath());
    int status = 1;
    if (loadFile(m, in)) {
        if (!m.textures.empty()) {
            // The editor's image decoder, on Qt's display-less platform.
            ensureOffscreenQtApplication();
            QtPlatform platform;
            TextureLoadOptions options;
            options.fetchRemote = a.fetchRemote;
            // Texture names are relative to the model's folder (the current directory after a
            // model file loads) or to the folder of a file imported as a new model. Every texture
            // that did not load is named, with the reason when a budget skipped it.
            if (!m.textureFolder.empty()) setCurrentDirectory(m.textureFolder);
            for (const std::string& line : loadAllTextures(platform, m, options))
                std::fprintf(stderr, "%s\n", line.c_str());
        }
        drawModelViews(m, a.layout, a.width, a.height, a.look);
        const std::string png = encodePng(context.pixels.data(), a.width, a.height);
        std::string why;
        if (png.empty())
            std::fprintf(stderr, "ERROR: the picture could not be compressed\n");
        else if (!writeFileSafely(out, png, &why))
            std::fprintf(stderr, "ERROR: cannot write '%s': %s\n", out.c_str(), why.c_str());
        else
            status = 0;
    }
    closeOffscreenContext(context);
    return status;
}
#elif defined(FW_TOOL_RENDER_DIR)
// Drawing and encoding images need Qt, OSMesa and the compiler behind it: dozens of libraries that
// take longer to load than the other commands take to run. So render, and a convert that embeds
// images, run a program of their own in this one's place, found beside it (the build tree) or
// where it is installed.
int runRenderProgram(char** argv) {
    static const char kProgram[] = "facetwright-render";
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string folder =
        n > 0 ? folderOf(std::string(self, static_cast<std::size_t>(n))) : std::string("./");
    for (const std::string& path :
         {folder + kProgram, folder + FW_TOOL_RENDER_DIR + "/" + kProgram}) {
        if (access(path.c_str(), X_OK) != 0) continue;
        execv(path.c_str(), argv);
    }
    std::fprintf(stderr, "ERROR: %s is not installed: it draws and encodes images\n", kProgram);
    return 1;
}
#endif

} // namespace

// ---- entry point ------------------------------------------------------------------------

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printUsage(stdout);
        return 0;
    }
    const std::string command = argc >= 2 ? argv[1] : "";
    bool known = (command == "info" && argc == 3) || (command == "dump" && argc == 3) ||
                 (command == "convert" && argc == 4);
    const bool materials =
        command == "convert" && argc == 5 && std::strcmp(argv[4], "--materials") == 0;
    known = known || materials;
#ifdef FW_TOOL_RENDER
    RenderArguments render;
    known = known || (command == "render" && argc >= 4 && parseRenderOptions(argc, argv, render));
#elif defined(FW_TOOL_RENDER_DIR)
    if (command == "render") return runRenderProgram(argv);
#endif
    std::vector<EditOperation> operations;
    if (command == "edit" && argc >= 5) {
        std::string error;
        if (!parseEditOperations(std::vector<std::string>(argv + 4, argv + argc), operations,
                                 error)) {
            std::fprintf(stderr, "ERROR: %s\n", error.c_str());
            return 1;
        }
        known = true;
    }
    if (!known) {
        printUsage(stderr);
        return 2;
    }
    // The reader moves the current directory to the model's folder, so fix paths first.
    [[maybe_unused]] const std::string startFolder = currentDirectory();
    const std::string first = absolutePath(argv[2]);
    const std::string second = argc >= 4 ? absolutePath(argv[3]) : std::string();
    makeDirectories(userDirectory());
    // Whatever runs out of memory ends the command, never the process by an abort: OUT is
    // written only after everything else, through a temporary file.
    try {
        if (command == "info") return commandInfo(first);
        if (command == "dump") return commandDump(first);
#ifdef FW_TOOL_RENDER
        if (command == "render") return commandRender(first, second, render);
#endif
        const int status = commandConvert(first, second, materials, operations);
#if !defined(FW_TOOL_RENDER) && defined(FW_TOOL_RENDER_DIR)
        if (status == kNeedsImageProgram) {
            // The drawing program reads the command line afresh, relative paths and all.
            setCurrentDirectory(startFolder);
            return runRenderProgram(argv);
        }
#endif
        return status;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "ERROR: not enough memory to %s '%s'\n", command.c_str(),
                     first.c_str());
        return 1;
    }
}
