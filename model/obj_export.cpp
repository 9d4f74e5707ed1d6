// OBJ export: every vertex with its texture coordinates and normal, then one face per triangle.
#include "model/obj_export.h"

#include "base/numbers.h"
#include "base/product.h"
#include "base/safe_file.h"

#include <initializer_list>
#include <new>

namespace {

const char* const kHeaderTop[] = {"# ", "#    Facetwright v2.x OBJ EXPORT File", "# "};
const char* const kHeaderHostLead = "# For more information visit ";
const char* const kHeaderRest[] = {"# ", "# 2.6x VERSION ", "# ", "# Vertex List ", "# "};
static_assert(sizeof kHeaderTop / sizeof kHeaderTop[0] + 1 +
                      sizeof kHeaderRest / sizeof kHeaderRest[0] ==
                  9,
              "the header has nine lines");
const char* const kFaceListHead[] = {"# Face List ", "# "};
const char* const kTrailer[] = {"# ", "# END OF OBJ FILE ", "# "};
const char* const kSaveFailed = "Failed to Open File for Saving!";

void appendLine(std::string& out, const char* text) {
    out += text;
    out += '\n';
}

void appendValues(std::string& out, const char* tag, std::initializer_list<float> values) {
    out += tag;
    for (float v : values) {
        out += ' ';
        appendFixed6(out, v);
    }
    out += '\n';
}

} // namespace

std::string objFileText(const Model& m) {
    std::string out;
    out.reserve(512 + m.vertices.size() * 120);
    for (const char* line : kHeaderTop) appendLine(out, line);
    out += kHeaderHostLead;
    out += kProductHost;
    appendLine(out, " ");
    for (const char* line : kHeaderRest) appendLine(out, line);

    for (const Vertex& v : m.vertices) {
        appendValues(out, "v", {v.x, v.y, v.z});
        appendValues(out, "vt", {v.textureX, v.textureY});
        appendValues(out, "vn", {v.normalX, v.normalY, v.normalZ});
        out += '\n';
    }
    for (const char* line : kFaceListHead) appendLine(out, line);
    // Whole triangles only: a trailing partial one would name vertices the file does not hold.
    const long long vertices = static_cast<long long>(m.vertices.size());
    for (long long k = 1; k + 2 <= vertices; k += 3) {
        out += "f ";
        appendInt(out, k);
        out += ' ';
        appendInt(out, k + 1);
        out += ' ';
        appendInt(out, k + 2);
        out += '\n';
    }
    for (const char* line : kTrailer) appendLine(out, line);
    return out;
}

FileResult exportObj(const Model& m, const std::string& path) {
    logEntry(m.log, "Opening OBJ File for Saving");
    logEntry(m.log, path);
    bool written = false;
    std::string why;
    try {
        written = writeFileSafely(path, objFileText(m), &why);
    } catch (const std::bad_alloc&) {
        written = false;
        why = "not enough memory";
    }
    if (written) return fileSucceeded();
    if (!why.empty()) logEntry(m.log, "Saving failed: " + why);
    logEntry(m.log, kSaveFailed);
    FileResult r = fileFailed(kSaveFailed, "The OBJ file could not be written", path);
    if (!why.empty()) r.boxText += "\n" + why;
    return r;
}
