// OBJ with materials: shared attribute lists, one object per mesh, the .mtl and its images.
#include "model/obj_materials_export.h"

#include "base/numbers.h"
#include "base/paths.h"
#include "model/export_files.h"
#include "model/text_lines.h"
#include "model/texture_rules.h"

#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <new>
#include <set>
#include <unordered_map>

namespace {

// Numbers each distinct value of one attribute list in order of first use, writing its line.
struct Shared {
    const char* tag;
    std::unordered_map<std::string, long long> index;
    std::string lines;
};

long long sharedIndex(Shared& s, std::initializer_list<float> values) {
    std::string key(reinterpret_cast<const char*>(values.begin()), values.size() * sizeof(float));
    const auto found = s.index.find(key);
    if (found != s.index.end()) return found->second;
    const long long n = static_cast<long long>(s.index.size()) + 1;
    s.index.emplace(std::move(key), n);
    s.lines += s.tag;
    for (float v : values) {
        s.lines += ' ';
        appendFixed6(s.lines, v);
    }
    s.lines += '\n';
    return n;
}

void appendColour(std::string& out, const char* tag, float r, float g, float b) {
    out += tag;
    for (float v : {r, g, b}) {
        out += ' ';
        appendFixed6(out, v);
    }
    out += '\n';
}

// One word, unique within the file: names are what "usemtl" finds materials by.
std::vector<std::string> materialNames(const Model& m) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (std::size_t i = 0; i < m.materials.size(); ++i) {
        std::string name = m.materials[i].name.empty() ? "Material" : m.materials[i].name;
        for (char& c : name)
            if (c == ' ' || c == '\t') c = '_';
        if (taken.count(name)) name += "_" + std::to_string(i);
        taken.insert(name);
        names.push_back(name);
    }
    return names;
}

// The map_Kd name of a texture: relative to the OBJ's folder, or the image copied beside it.
std::string textureName(const Model& m, int index, const std::string& objFolder, ExportFiles& files,
                        std::map<int, std::string>& done) {
    const auto known = done.find(index);
    if (known != done.end()) return known->second;
    const std::string& name = m.textures[index].fileName;
    std::string& out = done[index];
    if (isRemoteTextureName(name)) return out;
    const std::string folder = m.textureFolder.empty() ? currentDirectory() : m.textureFolder;
    std::string relative = toSlashes(rebasedTextureName(name, folder, objFolder));
    if (relative.compare(0, 2, "./") == 0) relative = relative.substr(2);
    if (!relative.empty() && relative[0] != '/' && relative.compare(0, 3, "../") != 0 &&
        relative.find("/../") == std::string::npos) {
        out = relative;
        return out;
    }
    std::string bytes;
    if (!readWholeFile(texturePath(name, folder), bytes)) return out;
    out = baseNameOf(toSlashes(name));
    files.emplace_back(objFolder + out, std::move(bytes));
    return out;
}

std::string mtlText(const Model& m, const std::vector<std::string>& names,
                    const std::string& objFolder, ExportFiles& files) {
    std::string out = "# Facetwright materials\n";
    std::map<int, std::string> textures;
    for (std::size_t i = 0; i < m.materials.size(); ++i) {
        const Material& mat = m.materials[i];
        out += "\nnewmtl " + names[i] + "\n";
        appendColour(out, "Ka", mat.ambientRed, mat.ambientGreen, mat.ambientBlue);
        appendColour(out, "Kd", mat.diffuseRed, mat.diffuseGreen, mat.diffuseBlue);
        appendColour(out, "Ks", mat.specularRed, mat.specularGreen, mat.specularBlue);
        out += "Ns ";
        appendFixed6(out, mat.shininess);
        out += "\nd ";
        appendFixed6(out, mat.EnableBlend ? mat.diffuseAlpha : 1.0f);
        // 2: lit with highlights; 0: the colour as it is.
        out += mat.EnableLighting ? "\nillum 2\n" : "\nillum 0\n";
        if (mat.EnableTexture && mat.TextureIndex >= 0 && mat.TextureIndex < textureCount(m)) {
            const std::string map = textureName(m, mat.TextureIndex, objFolder, files, textures);
            if (!map.empty()) out += "map_Kd " + map + "\n";
        }
    }
    return out;
}

std::string objText(const Model& m, const std::vector<std::string>& names,
                    const std::string& mtlName) {
    Shared positions{"v", {}, {}}, uvs{"vt", {}, {}}, normals{"vn", {}, {}};
    std::string faces;
    for (std::size_t i = 0; i < m.meshes.size(); ++i) {
        const Mesh& mesh = m.meshes[i];
        const int32_t end = meshEndVertex(m, mesh);
        if (end - mesh.firstVertex < 3) continue;
        faces += "o Mesh_" + std::to_string(i) + "\n";
        if (mesh.MaterialNumber >= 0 && mesh.MaterialNumber < materialCount(m))
            faces += "usemtl " + names[mesh.MaterialNumber] + "\n";
        for (int32_t k = mesh.firstVertex; k < end; k += 3) {
            faces += 'f';
            for (int32_t c = k; c < k + 3; ++c) {
                const Vertex& v = m.vertices[c];
                faces += ' ';
                appendInt(faces, sharedIndex(positions, {v.x, v.y, v.z}));
                faces += '/';
                appendInt(faces, sharedIndex(uvs, {v.textureX, v.textureY}));
                faces += '/';
                appendInt(faces, sharedIndex(normals, {v.normalX, v.normalY, v.normalZ}));
            }
            faces += '\n';
        }
    }
    return "# Facetwright OBJ with materials\nmtllib " + mtlName + "\n" + positions.lines +
           uvs.lines + normals.lines + faces;
}

} // namespace

FileResult exportObjWithMaterials(const Model& m, const std::string& path, const PngSource&) {
    ExportFiles files;
    try {
        const std::string objFolder = folderOf(absolutePath(path));
        const std::string mtlPath = withoutExtension(path) + ".mtl";
        const std::vector<std::string> names = materialNames(m);
        const std::string mtl = mtlText(m, names, objFolder, files);
        files.emplace_back(mtlPath, mtl);
        files.emplace_back(path, objText(m, names, baseNameOf(mtlPath)));
    } catch (const std::bad_alloc&) {
        return fileFailed("not enough memory", "The OBJ file could not be written", path);
    }
    return writeExportFiles(m, "OBJ", files);
}
