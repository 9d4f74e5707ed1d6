// glTF 2.0 export: shared vertices per mesh, materials as pbrMetallicRoughness, images as PNG.
#include "model/gltf_export.h"

#include "base/paths.h"
#include "model/export_files.h"
#include "model/texture_rules.h"

#include <meshoptimizer.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <new>

namespace {

using Json = nlohmann::ordered_json;

constexpr int kFloat = 5126, kUnsignedShort = 5123, kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962, kElementArrayBuffer = 34963;
constexpr int kLinear = 9729;

// One shared vertex as the file holds it.
struct Corner {
    float position[3];
    float normal[3];
    float uv[2];
};

// The binary buffer and the JSON arrays that point into it.
struct Builder {
    std::string bin;
    Json bufferViews = Json::array();
    Json accessors = Json::array();
};

int addView(Builder& b, const void* data, std::size_t bytes, int target) {
    while (b.bin.size() % 4 != 0) b.bin += '\0';
    Json view = {{"buffer", 0}, {"byteOffset", b.bin.size()}, {"byteLength", bytes}};
    if (target != 0) view["target"] = target;
    b.bin.append(static_cast<const char*>(data), bytes);
    b.bufferViews.push_back(view);
    return static_cast<int>(b.bufferViews.size() - 1);
}

// An accessor over one attribute of the corners, copied out tightly packed.
int addAttribute(Builder& b, const std::vector<Corner>& corners, std::size_t offset, int size,
                 bool bounds) {
    std::vector<float> values;
    values.reserve(corners.size() * size);
    for (const Corner& c : corners) {
        const float* f = reinterpret_cast<const float*>(reinterpret_cast<const char*>(&c) + offset);
        values.insert(values.end(), f, f + size);
    }
    const int view = addView(b, values.data(), values.size() * sizeof(float), kArrayBuffer);
    Json a = {{"bufferView", view},
              {"componentType", kFloat},
              {"count", corners.size()},
              {"type", size == 3 ? "VEC3" : "VEC2"}};
    if (bounds) {
        Json lo = Json::array(), hi = Json::array();
        for (int k = 0; k < size; ++k) {
            float mn = values[k], mx = values[k];
            for (std::size_t i = k; i < values.size(); i += size)
                mn = std::min(mn, values[i]), mx = std::max(mx, values[i]);
            lo.push_back(mn);
            hi.push_back(mx);
        }
        a["min"] = lo;
        a["max"] = hi;
    }
    b.accessors.push_back(a);
    return static_cast<int>(b.accessors.size() - 1);
}

int addIndices(Builder& b, const std::vector<unsigned>& indices, std::size_t vertexCount) {
    // 65535 is the primitive restart value of 16-bit indices, so it may not be used.
    const bool narrow = vertexCount <= 65535;
    int view = 0;
    if (narrow) {
        std::vector<uint16_t> small(indices.begin(), indices.end());
        view = addView(b, small.data(), small.size() * 2, kElementArrayBuffer);
    } else {
        view = addView(b, indices.data(), indices.size() * 4, kElementArrayBuffer);
    }
    b.accessors.push_back({{"bufferView", view},
                           {"componentType", narrow ? kUnsignedShort : kUnsignedInt},
                           {"count", indices.size()},
                           {"type", "SCALAR"}});
    return static_cast<int>(b.accessors.size() - 1);
}

// The corners of a mesh with v flipped to glTF's top-left origin and unit normals.
std::vector<Corner> meshCorners(const Model& m, const Mesh& mesh) {
    std::vector<Corner> out;
    const int32_t end = meshEndVertex(m, mesh);
    out.reserve(static_cast<std::size_t>(end - mesh.firstVertex));
    for (int32_t i = mesh.firstVertex; i < end; ++i) {
        const Vertex& v = m.vertices[i];
        Corner c{
            {v.x, v.y, v.z}, {v.normalX, v.normalY, v.normalZ}, {v.textureX, 1.0f - v.textureY}};
        const float length =
            std::sqrt(v.normalX * v.normalX + v.normalY * v.normalY + v.normalZ * v.normalZ);
        // A degenerate triangle has no normal; any unit vector keeps the file valid.
        if (!(length > 1e-6f) || !std::isfinite(length)) {
            c.normal[0] = 0, c.normal[1] = 0, c.normal[2] = 1;
        } else {
            for (float& n : c.normal) n /= length;
        }
        out.push_back(c);
    }
    return out;
}

// The mesh's primitive: coinciding corners merged, triangles in vertex cache order.
Json addPrimitive(Builder& b, const std::vector<Corner>& corners) {
    const std::size_t count = corners.size();
    std::vector<unsigned> remap(count);
    const std::size_t unique = meshopt_generateVertexRemap(remap.data(), nullptr, count,
                                                           corners.data(), count, sizeof(Corner));
    std::vector<Corner> shared(unique);
    meshopt_remapVertexBuffer(shared.data(), corners.data(), count, sizeof(Corner), remap.data());
    std::vector<unsigned> indices(count);
    meshopt_remapIndexBuffer(indices.data(), nullptr, count, remap.data());
    meshopt_optimizeVertexCache(indices.data(), indices.data(), count, unique);
    meshopt_optimizeVertexFetch(shared.data(), indices.data(), count, shared.data(), unique,
                                sizeof(Corner));
    Json attributes = {
        {"POSITION", addAttribute(b, shared, offsetof(Corner, position), 3, true)},
        {"NORMAL", addAttribute(b, shared, offsetof(Corner, normal), 3, false)},
        {"TEXCOORD_0", addAttribute(b, shared, offsetof(Corner, uv), 2, false)},
    };
    return {{"attributes", attributes}, {"indices", addIndices(b, indices, unique)}};
}

// A file name as a relative URI: anything but unreserved characters percent-encoded.
std::string uriOf(const std::string& name) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

float unit(float v) {
    return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f;
}

// What the textures became: the glTF texture index of each model texture, -1 when left out.
struct Images {
    Json images = Json::array();
    Json textures = Json::array();
    std::map<int, int> byTexture;
    ExportFiles files; // the .gltf's images
};

int textureFor(const Model& m, int index, bool binary, const std::string& stem,
               const PngSource& png, Builder& b, Images& out) {
    const auto known = out.byTexture.find(index);
    if (known != out.byTexture.end()) return known->second;
    int& result = out.byTexture[index];
    result = -1;
    const std::string& name = m.textures[index].fileName;
    const std::string folder = m.textureFolder.empty() ? currentDirectory() : m.textureFolder;
    std::string bytes;
    if (!png || isRemoteTextureName(name) || !png(texturePath(name, folder), bytes) ||
        bytes.empty()) {
        logEntry(m.log, "glTF export: texture " + std::to_string(index) + " (" + name +
                            ") could not be read; its materials are written untextured");
        return -1;
    }
    Json image = {{"name", baseNameOf(toSlashes(name))}};
    if (binary) {
        image["bufferView"] = addView(b, bytes.data(), bytes.size(), 0);
        image["mimeType"] = "image/png";
    } else {
        const std::string file = stem + "_texture" + std::to_string(index) + ".png";
        image["uri"] = uriOf(baseNameOf(file));
        out.files.emplace_back(file, std::move(bytes));
    }
    out.images.push_back(image);
    out.textures.push_back({{"sampler", 0}, {"source", out.images.size() - 1}});
    result = static_cast<int>(out.textures.size() - 1);
    return result;
}

Json materialJson(const Material& mat, int texture) {
    // Unlit materials show their current colour; lit ones their diffuse colour.
    const bool lit = mat.EnableLighting;
    const float colour[4] = {
        lit ? mat.diffuseRed : mat.colourRed, lit ? mat.diffuseGreen : mat.colourGreen,
        lit ? mat.diffuseBlue : mat.colourBlue, lit ? mat.diffuseAlpha : mat.colourAlpha};
    Json pbr = {
        {"baseColorFactor", {unit(colour[0]), unit(colour[1]), unit(colour[2]), unit(colour[3])}},
        {"metallicFactor", 0.0},
        {"roughnessFactor", roughnessFromShininess(mat.shininess)}};
    if (texture >= 0) pbr["baseColorTexture"] = {{"index", texture}};
    Json out = {{"name", mat.name}, {"pbrMetallicRoughness", pbr}};
    const float emission[3] = {unit(mat.emissionRed), unit(mat.emissionGreen),
                               unit(mat.emissionBlue)};
    if (emission[0] > 0 || emission[1] > 0 || emission[2] > 0)
        out["emissiveFactor"] = {emission[0], emission[1], emission[2]};
    out["alphaMode"] = mat.EnableBlend ? "BLEND" : "OPAQUE";
    if (!lit) out["extensions"] = {{"KHR_materials_unlit", Json::object()}};
    return out;
}

// The whole file: its JSON and binary buffer (images included for .glb).
std::string gltfJson(const Model& m, bool binary, const std::string& stem, const PngSource& png,
                     Builder& b, Images& images) {
    Json meshes = Json::array(), nodes = Json::array(), materials = Json::array();
    std::vector<int> materialIndex(m.materials.size(), -1);
    bool unlit = false;
    for (std::size_t i = 0; i < m.meshes.size(); ++i) {
        const Mesh& mesh = m.meshes[i];
        if (meshEndVertex(m, mesh) - mesh.firstVertex < 3) continue;
        Json primitive = addPrimitive(b, meshCorners(m, mesh));
        const int mat = mesh.MaterialNumber;
        if (mat >= 0 && mat < materialCount(m)) {
            if (materialIndex[mat] < 0) {
                const Material& material = m.materials[mat];
                int texture = -1;
                if (material.EnableTexture && material.TextureIndex >= 0 &&
                    material.TextureIndex < textureCount(m))
                    texture = textureFor(m, material.TextureIndex, binary, stem, png, b, images);
                materials.push_back(materialJson(material, texture));
                unlit = unlit || !material.EnableLighting;
                materialIndex[mat] = static_cast<int>(materials.size() - 1);
            }
            primitive["material"] = materialIndex[mat];
        }
        const std::string name = "Mesh " + std::to_string(i);
        meshes.push_back({{"name", name}, {"primitives", Json::array({primitive})}});
        nodes.push_back({{"name", name}, {"mesh", meshes.size() - 1}});
    }
    Json doc = {{"asset", {{"version", "2.0"}, {"generator", "Facetwright"}}}};
    if (unlit) doc["extensionsUsed"] = Json::array({"KHR_materials_unlit"});
    doc["scene"] = 0;
    Json scene = Json::object();
    if (!nodes.empty()) {
        Json roots = Json::array();
        for (std::size_t i = 0; i < nodes.size(); ++i) roots.push_back(i);
        scene["nodes"] = roots;
    }
    // Json::array, never a braced list of one: compilers read {x} as a copy or as an array.
    doc["scenes"] = Json::array({scene});
    if (!nodes.empty()) doc["nodes"] = nodes;
    if (!meshes.empty()) doc["meshes"] = meshes;
    if (!materials.empty()) doc["materials"] = materials;
    if (!images.textures.empty()) {
        doc["textures"] = images.textures;
        doc["images"] = images.images;
        doc["samplers"] = Json::array({Json{{"magFilter", kLinear}, {"minFilter", kLinear}}});
    }
    if (!b.accessors.empty()) doc["accessors"] = b.accessors;
    if (!b.bufferViews.empty()) doc["bufferViews"] = b.bufferViews;
    while (b.bin.size() % 4 != 0) b.bin += '\0';
    if (!b.bin.empty()) {
        Json buffer = {{"byteLength", b.bin.size()}};
        if (!binary) buffer["uri"] = uriOf(baseNameOf(stem) + ".bin");
        doc["buffers"] = Json::array({buffer});
    }
    return doc.dump();
}

void appendU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xff);
}

std::string glbFile(std::string json, const std::string& bin) {
    while (json.size() % 4 != 0) json += ' ';
    const bool hasBin = !bin.empty();
    std::string out;
    out.reserve(28 + json.size() + bin.size());
    out += "glTF";
    appendU32(out, 2);
    appendU32(out, static_cast<uint32_t>(12 + 8 + json.size() + (hasBin ? 8 + bin.size() : 0)));
    appendU32(out, static_cast<uint32_t>(json.size()));
    appendU32(out, 0x4E4F534A); // "JSON"
    out += json;
    if (hasBin) {
        appendU32(out, static_cast<uint32_t>(bin.size()));
        appendU32(out, 0x004E4942); // "BIN"
        out += bin;
    }
    return out;
}

} // namespace

float roughnessFromShininess(float shininess) {
    const float n = std::isfinite(shininess) ? std::clamp(shininess, 0.0f, 128.0f) : 0.0f;
    return std::pow(2.0f / (n + 2.0f), 0.25f);
}

float shininessFromRoughness(float roughness) {
    const float r = std::isfinite(roughness) ? std::clamp(roughness, 0.01f, 1.0f) : 1.0f;
    return std::clamp(2.0f / (r * r * r * r) - 2.0f, 0.0f, 128.0f);
}

std::string glbBytes(const Model& m, const PngSource& png) {
    Builder b;
    Images images;
    const std::string json = gltfJson(m, true, "", png, b, images);
    return glbFile(json, b.bin);
}

FileResult exportGltf(const Model& m, const std::string& path, const PngSource& png) {
    const bool binary = upperExtension(path) == "GLB";
    const std::string stem = withoutExtension(path);
    ExportFiles files;
    try {
        if (binary) {
            files.emplace_back(path, glbBytes(m, png));
        } else {
            Builder b;
            Images images;
            const std::string json = gltfJson(m, false, stem, png, b, images);
            files = std::move(images.files);
            if (!b.bin.empty()) files.emplace_back(stem + ".bin", std::move(b.bin));
            files.emplace_back(path, json);
        }
    } catch (const std::bad_alloc&) {
        logEntry(m.log, "Saving failed: not enough memory");
        return fileFailed("not enough memory", "The glTF file could not be written", path);
    }
    return writeExportFiles(m, "glTF", files);
}
