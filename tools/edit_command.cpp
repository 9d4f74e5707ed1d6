// facetwright-tool edit: the operation table and what each row calls in edit/.
#include "tools/edit_command.h"

#include "base/numbers.h"
#include "edit/materials.h"
#include "edit/numeric_transforms.h"
#include "edit/selection.h"
#include "edit/structure.h"
#include "edit/subdivide.h"
#include "edit/texture_coords.h"
#include "edit/weld.h"

#include <algorithm>
#include <cstddef>

namespace {

struct Arguments {
    const std::vector<std::string>& words;
    std::string& error;
    std::string& note;
};

bool number(Arguments& a, std::size_t i, float& out) {
    if (parseFloat(a.words[i], out)) return true;
    a.error = "'" + a.words[i] + "' is not a number";
    return false;
}

bool numbers(Arguments& a, float out[3]) {
    return number(a, 0, out[0]) && number(a, 1, out[1]) && number(a, 2, out[2]);
}

// x, y or z as 0, 1, 2.
bool axis(Arguments& a, int& out) {
    const std::string& w = a.words[0];
    out = w == "x" ? 0 : w == "y" ? 1 : w == "z" ? 2 : -1;
    if (out < 0) a.error = "'" + w + "' is not x, y or z";
    return out >= 0;
}

bool nothingSelected(Arguments& a) {
    a.error = "nothing to act on: no unlocked vertex is selected (use select-all or select-mesh "
              "first)";
    return false;
}

// Runs f on every selected mesh (all of its vertices selected); fails when there is none.
template <typename F> bool onSelectedMeshes(Model& m, Arguments& a, F f) {
    bool any = false;
    for (int32_t i = 0; i < meshCount(m); ++i) {
        if (m.meshes[i].triangleCount <= 0 || !meshSelected(m, i)) continue;
        f(i);
        any = true;
    }
    if (!any) a.error = "no mesh is selected (use select-all or select-mesh first)";
    return any;
}

bool selectAll(Model& m, Arguments&) {
    selectAllVertices(m);
    return true;
}

bool selectMesh(Model& m, Arguments& a) {
    int32_t n = 0;
    if (!parseInt(a.words[0], n) || n < 0 || n >= meshCount(m)) {
        a.error = "there is no mesh " + a.words[0];
        return false;
    }
    m.currentMesh = n;
    selectCurrentMeshOnly(m);
    return true;
}

bool move(Model& m, Arguments& a) {
    float d[3];
    if (!numbers(a, d)) return false;
    return moveSelectionBy(m, d[0], d[1], d[2]) || nothingSelected(a);
}

bool rotate(Model& m, Arguments& a) {
    int ax = 0;
    float degrees = 0;
    if (!axis(a, ax) || !number(a, 1, degrees)) return false;
    double angles[3] = {0, 0, 0};
    angles[ax] = degrees;
    return rotateSelectionBy(m, angles[0], angles[1], angles[2]) || nothingSelected(a);
}

bool scale(Model& m, Arguments& a) {
    float f[3];
    if (!numbers(a, f)) return false;
    return scaleSelectionBy(m, f[0], f[1], f[2]) || nothingSelected(a);
}

bool mirror(Model& m, Arguments& a) {
    int ax = 0;
    if (!axis(a, ax)) return false;
    return mirrorSelection(m, ax) || nothingSelected(a);
}

bool weld(Model& m, Arguments& a) {
    float distance = 0;
    if (!number(a, 0, distance)) return false;
    if (!(distance > 0)) {
        a.error = "the weld distance must be greater than 0";
        return false;
    }
    bool any = false;
    for (const Vertex& v : m.vertices) any = any || (v.selected && !v.locked);
    if (!any) return nothingSelected(a);
    const int32_t moved = weldSelectedVertices(m, distance);
    a.note = "weld: " + std::to_string(moved) + " corners moved";
    return true;
}

bool subdivide(Model& m, Arguments&) {
    subdivideAllMeshes(m);
    return true;
}

bool invert(Model& m, Arguments& a) {
    return onSelectedMeshes(m, a, [&](int32_t i) { invertMesh(m, i); });
}

bool smooth(Model& m, Arguments& a) {
    const std::string& w = a.words[0];
    if (w != "on" && w != "off") {
        a.error = "'" + w + "' is not on or off";
        return false;
    }
    return onSelectedMeshes(m, a, [&](int32_t i) { setMeshSmooth(m, i, w == "on"); });
}

bool recalculateUv(Model& m, Arguments&) {
    for (int32_t i = 0; i < meshCount(m); ++i) recalculateTextureCoordinates(m, i);
    return true;
}

bool stripUnused(Model& m, Arguments&) {
    stripUnusedMaterialsAndTextures(m);
    return true;
}

struct OperationRow {
    const char* name;
    std::size_t arguments;
    bool (*apply)(Model&, Arguments&);
    const char* argumentText;
    const char* description;
};

const OperationRow kOperations[] = {
    {"select-all", 0, selectAll, "", "select every vertex"},
    {"select-mesh", 1, selectMesh, "N", "select mesh N (counted from 0) only"},
    {"move", 3, move, "DX DY DZ", "move the selected vertices"},
    {"rotate", 2, rotate, "x|y|z DEGREES", "turn the selection, counter-clockwise seen from +axis"},
    {"scale", 3, scale, "SX SY SZ", "scale the selection about its centre"},
    {"mirror", 1, mirror, "x|y|z", "reflect the selection through its centre"},
    {"weld", 1, weld, "DISTANCE", "move selected corners closer than DISTANCE onto one point"},
    {"subdivide", 0, subdivide, "", "split every triangle of every mesh into four"},
    {"invert", 0, invert, "", "swap front and back faces of the selected meshes"},
    {"smooth", 1, smooth, "on|off", "smooth or flat shading for the selected meshes"},
    {"recalculate-uv", 0, recalculateUv, "",
     "project texture coordinates across each mesh's thinnest axis"},
    {"strip-unused", 0, stripUnused, "", "remove the materials and textures no mesh uses"},
};
constexpr int kOperationCount = sizeof kOperations / sizeof kOperations[0];

} // namespace

std::string editOperationsHelp() {
    std::string text;
    for (const OperationRow& row : kOperations) {
        std::string line = std::string("    ") + row.name + " " + row.argumentText;
        line.resize(std::max<std::size_t>(line.size() + 1, 30), ' ');
        text += line + row.description + "\n";
    }
    return text;
}

bool parseEditOperations(const std::vector<std::string>& words, std::vector<EditOperation>& out,
                         std::string& error) {
    out.clear();
    for (std::size_t i = 0; i < words.size();) {
        int kind = -1;
        for (int k = 0; k < kOperationCount; ++k)
            if (words[i] == kOperations[k].name) kind = k;
        if (kind < 0) {
            error = "unknown operation '" + words[i] + "'";
            return false;
        }
        const std::size_t n = kOperations[kind].arguments;
        EditOperation op;
        op.kind = kind;
        op.text = words[i];
        for (std::size_t j = 1; j <= n; ++j) {
            if (i + j >= words.size()) {
                error = "'" + words[i] + "' needs " + std::to_string(n) + " argument(s)";
                return false;
            }
            op.words.push_back(words[i + j]);
            op.text += " " + words[i + j];
        }
        out.push_back(op);
        i += n + 1;
    }
    return true;
}

bool applyEditOperation(Model& m, const EditOperation& op, std::string& error, std::string& note) {
    if (op.kind < 0 || op.kind >= kOperationCount) return false;
    Arguments a{op.words, error, note};
    return kOperations[op.kind].apply(m, a);
}
