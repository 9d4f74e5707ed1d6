// glTF 2.0 import: tinygltf parses; this walks the scene and turns primitives into meshes.
#include "model/gltf_import.h"

#include "base/huge_pages.h"
#include "base/paths.h"
#include "base/safe_file.h"
#include "model/export_files.h"
#include "model/gltf_export.h"
#include "model/text_lines.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <new>
#include <set>
#include <sys/stat.h>

namespace {

using Matrix = std::array<double, 16>; // column-major, as glTF stores it

const char* const kImportFailed = "The glTF file could not be imported";
constexpr int kMaxNodeDepth = 256;
constexpr std::size_t kMaxNodeVisits = 1u << 20;
constexpr std::size_t kMaxNewVertices = std::numeric_limits<int32_t>::max() / 2;
constexpr int32_t kGlSrcAlpha = 0x0302, kGlOneMinusSrcAlpha = 0x0303;

Matrix identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
    return r;
}

Matrix nodeMatrix(const tinygltf::Node& node) {
    if (node.matrix.size() == 16) {
        Matrix m;
        std::copy(node.matrix.begin(), node.matrix.end(), m.begin());
        return m;
    }
    Matrix t = identity(), r = identity(), s = identity();
    if (node.translation.size() == 3)
        t[12] = node.translation[0], t[13] = node.translation[1], t[14] = node.translation[2];
    if (node.rotation.size() == 4) {
        const double x = node.rotation[0], y = node.rotation[1], z = node.rotation[2],
                     w = node.rotation[3];
        r = {1 - 2 * (y * y + z * z),
             2 * (x * y + z * w),
             2 * (x * z - y * w),
             0,
             2 * (x * y - z * w),
             1 - 2 * (x * x + z * z),
             2 * (y * z + x * w),
             0,
             2 * (x * z + y * w),
             2 * (y * z - x * w),
             1 - 2 * (x * x + y * y),
             0,
             0,
             0,
             0,
             1};
    }
    if (node.scale.size() == 3) s[0] = node.scale[0], s[5] = node.scale[1], s[10] = node.scale[2];
    return multiply(t, multiply(r, s));
}

double determinant3(const Matrix& m) {
    return m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
           m[8] * (m[1] * m[6] - m[5] * m[2]);
}

// Where an accessor's elements lie in its buffer, checked against the buffer's size.
struct Span {
    const unsigned char* data = nullptr; // null: all zeros (no buffer view)
    std::size_t count = 0, stride = 0;
    int componentType = 0, components = 0;
    bool normalized = false;
};

int componentBytes(int type) {
    switch (type) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
        return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
        return 2;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT:
        return 4;
    default:
        return 0;
    }
}

bool accessorSpan(const tinygltf::Model& g, int index, int components, Span& out) {
    if (index < 0 || index >= static_cast<int>(g.accessors.size())) return false;
    const tinygltf::Accessor& a = g.accessors[index];
    const int bytes = componentBytes(a.componentType);
    if (bytes == 0 || a.sparse.isSparse ||
        tinygltf::GetNumComponentsInType(static_cast<uint32_t>(a.type)) != components)
        return false;
    out = Span{nullptr, a.count, 0, a.componentType, components, a.normalized};
    if (a.bufferView < 0) return true;
    if (a.bufferView >= static_cast<int>(g.bufferViews.size())) return false;
    const tinygltf::BufferView& view = g.bufferViews[a.bufferView];
    if (view.buffer < 0 || view.buffer >= static_cast<int>(g.buffers.size())) return false;
    const std::vector<unsigned char>& data = g.buffers[view.buffer].data;
    const std::size_t element = static_cast<std::size_t>(bytes) * components;
    out.stride = view.byteStride != 0 ? view.byteStride : element;
    if (a.count == 0) return true;
    // All in 64 bits: every term is bounded by the buffer's size before it is added.
    const uint64_t start = static_cast<uint64_t>(view.byteOffset) + a.byteOffset;
    const uint64_t span = static_cast<uint64_t>(out.stride) * (a.count - 1) + element;
    if (view.byteOffset > data.size() || view.byteLength > data.size() ||
        a.byteOffset > view.byteLength || out.stride > view.byteLength + element ||
        a.count > data.size() ||
        start + span > static_cast<uint64_t>(view.byteOffset) + view.byteLength ||
        start + span > data.size())
        return false;
    out.data = data.data() + start;
    return true;
}

double component(const Span& s, std::size_t i, int k) {
    if (!s.data) return 0;
    const unsigned char* p = s.data + i * s.stride + k * componentBytes(s.componentType);
    switch (s.componentType) {
    case TINYGLTF_COMPONENT_TYPE_FLOAT: {
        float f;
        std::memcpy(&f, p, 4);
        return f;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
        return s.normalized ? p[0] / 255.0 : p[0];
    case TINYGLTF_COMPONENT_TYPE_BYTE: {
        const double v = static_cast<int8_t>(p[0]);
        return s.normalized ? std::max(v / 127.0, -1.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return s.normalized ? v / 65535.0 : v;
    }
    case TINYGLTF_COMPONENT_TYPE_SHORT: {
        int16_t v;
        std::memcpy(&v, p, 2);
        return s.normalized ? std::max(v / 32767.0, -1.0) : v;
    }
    default: {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    }
}

// The corners of a primitive's triangles as indices into its vertices; false for an index out of
// range or a mode that has no triangles.
bool triangleCorners(const tinygltf::Model& g, const tinygltf::Primitive& p, std::size_t vertices,
                     std::vector<uint32_t>& out) {
    std::vector<uint32_t> order;
    if (p.indices >= 0) {
        Span s;
        // Indices are unsigned integers; the parser lets any component type through.
        if (!accessorSpan(g, p.indices, 1, s) || s.normalized ||
            (s.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE &&
             s.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
             s.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT))
            return false;
        order.resize(s.count);
        for (std::size_t i = 0; i < s.count; ++i) {
            const double v = component(s, i, 0);
            if (!(v >= 0 && v < static_cast<double>(vertices))) return false;
            order[i] = static_cast<uint32_t>(v);
        }
    } else {
        order.resize(vertices);
        for (std::size_t i = 0; i < vertices; ++i) order[i] = static_cast<uint32_t>(i);
    }
    const int mode = p.mode < 0 ? TINYGLTF_MODE_TRIANGLES : p.mode;
    if (mode == TINYGLTF_MODE_TRIANGLES) {
        order.resize(order.size() / 3 * 3);
        out = std::move(order);
    } else if (mode == TINYGLTF_MODE_TRIANGLE_STRIP) {
        for (std::size_t i = 2; i < order.size(); ++i) {
            const bool odd = i % 2 != 0;
            out.insert(out.end(), {order[i - 2], order[odd ? i : i - 1], order[odd ? i - 1 : i]});
        }
    } else if (mode == TINYGLTF_MODE_TRIANGLE_FAN) {
        for (std::size_t i = 2; i < order.size(); ++i)
            out.insert(out.end(), {order[0], order[i - 1], order[i]});
    } else {
        return false;
    }
    return true;
}

bool isDataUri(const std::string& uri) {
    return uri.compare(0, 5, "data:") == 0;
}

// "a%20b.png" -> "a b.png"; a broken escape stays as it is.
std::string decodedUri(const std::string& uri) {
    std::string out;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() &&
            std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
            out += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += uri[i];
        }
    }
    return out;
}

struct Import {
    const tinygltf::Model& g;
    Model& m;
    std::string stem; // names embedded images
    std::vector<ExportFiles::value_type> embedded;
    std::map<int, int> materialOf; // glTF material -> model material
    std::map<int, int> textureOf;  // glTF image -> model texture
    std::set<std::string> skipped; // log lines said once
    std::size_t newVertices = 0;
    std::size_t visits = 0; // nodes walked, counted along every path
};

void skip(Import& in, const std::string& what) {
    if (in.skipped.insert(what).second) logEntry(in.m.log, "glTF import: skipped " + what);
}

// The texture record of a glTF image: its own file when it names one, else the embedded bytes
// written beside the glTF file.
int textureOfImage(Import& in, int image) {
    const auto known = in.textureOf.find(image);
    if (known != in.textureOf.end()) return known->second;
    const tinygltf::Image& img = in.g.images[image];
    Texture t;
    if (!img.uri.empty() && !isDataUri(img.uri)) {
        t.fileName = "./" + decodedUri(img.uri);
    } else {
        const bool jpeg = img.mimeType == "image/jpeg";
        const std::string file =
            in.stem + "_image" + std::to_string(image) + (jpeg ? ".jpg" : ".png");
        t.fileName = "./" + baseNameOf(file);
        in.embedded.emplace_back(file, std::string(img.image.begin(), img.image.end()));
    }
    in.m.textures.push_back(t);
    return in.textureOf[image] = textureCount(in.m) - 1;
}

float factor(const std::vector<double>& values, std::size_t i, float fallback) {
    return i < values.size() && std::isfinite(values[i]) ? static_cast<float>(values[i]) : fallback;
}

int materialOf(Import& in, int index) {
    if (index < 0 || index >= static_cast<int>(in.g.materials.size())) return 0;
    const auto known = in.materialOf.find(index);
    if (known != in.materialOf.end()) return known->second;
    const tinygltf::Material& src = in.g.materials[index];
    const tinygltf::PbrMetallicRoughness& pbr = src.pbrMetallicRoughness;
    Material mat;
    mat.name = src.name.empty() ? "glTF_Material_" + std::to_string(index) : src.name;
    for (char& c : mat.name)
        if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r') c = '_';
    if (mat.name.size() > static_cast<std::size_t>(kMaterialNameMax))
        mat.name.resize(kMaterialNameMax);
    const float base[4] = {factor(pbr.baseColorFactor, 0, 1), factor(pbr.baseColorFactor, 1, 1),
                           factor(pbr.baseColorFactor, 2, 1), factor(pbr.baseColorFactor, 3, 1)};
    mat.colourRed = mat.diffuseRed = base[0];
    mat.colourGreen = mat.diffuseGreen = base[1];
    mat.colourBlue = mat.diffuseBlue = base[2];
    mat.colourAlpha = mat.diffuseAlpha = mat.ambientAlpha = mat.specularAlpha = base[3];
    mat.ambientRed = mat.ambientGreen = mat.ambientBlue = 0.2f;
    const float roughness =
        std::isfinite(pbr.roughnessFactor) ? static_cast<float>(pbr.roughnessFactor) : 1.0f;
    mat.shininess = shininessFromRoughness(roughness);
    // A smooth surface gets a brighter highlight.
    mat.specularRed = mat.specularGreen = mat.specularBlue = 0.5f * (1.0f - roughness);
    mat.emissionRed = factor(src.emissiveFactor, 0, 0);
    mat.emissionGreen = factor(src.emissiveFactor, 1, 0);
    mat.emissionBlue = factor(src.emissiveFactor, 2, 0);
    mat.emissionAlpha = 1;
    // Alpha masks have no alpha test to go to; blending shows their cut-outs.
    mat.EnableBlend = src.alphaMode == "BLEND" || src.alphaMode == "MASK";
    mat.blendSrc = kGlSrcAlpha;
    mat.blendDst = kGlOneMinusSrcAlpha;
    mat.EnableLighting = src.extensions.count("KHR_materials_unlit") == 0;
    const int texture = pbr.baseColorTexture.index;
    if (texture >= 0 && texture < static_cast<int>(in.g.textures.size())) {
        const int source = in.g.textures[texture].source;
        if (source >= 0 && source < static_cast<int>(in.g.images.size())) {
            mat.TextureIndex = textureOfImage(in, source);
            mat.EnableTexture = true;
        }
    }
    if (pbr.baseColorTexture.texCoord > 0) skip(in, "texture coordinate sets other than the first");
    in.m.materials.push_back(mat);
    return in.materialOf[index] = materialCount(in.m) - 1;
}

// A primitive where a node places it: what is read of it, checked before anything is added.
struct Placement {
    const tinygltf::Primitive* primitive;
    Matrix world;
    Span position, uv;
    bool hasUv;
    std::vector<uint32_t> corners;
};

// The placement of one primitive; false (with a log line) for one that gives no triangles.
bool placePrimitive(Import& in, const tinygltf::Primitive& p, const Matrix& world, Placement& out) {
    const int mode = p.mode < 0 ? TINYGLTF_MODE_TRIANGLES : p.mode;
    if (mode < TINYGLTF_MODE_TRIANGLES) {
        skip(in, "a primitive of points or lines");
        return false;
    }
    if (!p.targets.empty()) skip(in, "morph targets (the base shape is imported)");
    out.primitive = &p;
    out.world = world;
    const auto position = p.attributes.find("POSITION");
    if (position == p.attributes.end() || !accessorSpan(in.g, position->second, 3, out.position) ||
        out.position.componentType != TINYGLTF_COMPONENT_TYPE_FLOAT) {
        skip(in, "a primitive without readable float positions");
        return false;
    }
    const auto texcoord = p.attributes.find("TEXCOORD_0");
    out.hasUv = texcoord != p.attributes.end() && accessorSpan(in.g, texcoord->second, 2, out.uv) &&
                out.uv.count >= out.position.count;
    if (!triangleCorners(in.g, p, out.position.count, out.corners)) {
        skip(in, "a primitive with indices out of range");
        return false;
    }
    return !out.corners.empty();
}

// One placed primitive as one new mesh, its positions moved by the node's world matrix.
void appendPrimitive(Import& in, const Placement& at) {
    const Matrix& world = at.world;
    const bool mirrored = determinant3(world) < 0;
    Mesh mesh;
    mesh.firstVertex = vertexCount(in.m);
    mesh.triangleCount = static_cast<int32_t>(at.corners.size() / 3);
    mesh.MaterialNumber = materialOf(in, at.primitive->material);
    for (std::size_t t = 0; t < at.corners.size(); t += 3) {
        for (int k = 0; k < 3; ++k) {
            // A mirroring transform turns the winding over; swapping two corners turns it back.
            const uint32_t i = at.corners[t + (mirrored && k > 0 ? 3 - k : k)];
            const double x = component(at.position, i, 0), y = component(at.position, i, 1),
                         z = component(at.position, i, 2);
            Vertex v;
            v.x = static_cast<float>(world[0] * x + world[4] * y + world[8] * z + world[12]);
            v.y = static_cast<float>(world[1] * x + world[5] * y + world[9] * z + world[13]);
            v.z = static_cast<float>(world[2] * x + world[6] * y + world[10] * z + world[14]);
            if (at.hasUv) {
                v.textureX = static_cast<float>(component(at.uv, i, 0));
                v.textureY = static_cast<float>(1.0 - component(at.uv, i, 1));
            }
            in.m.vertices.push_back(v);
        }
    }
    in.m.meshes.push_back(mesh);
}

// Collects the primitives under a node; false once they hold more corners than a model can (a
// node reached along many paths is placed once per path, so this also bounds the walk).
bool placeNode(Import& in, int index, const Matrix& parent, int depth, std::vector<bool>& onPath,
               std::vector<Placement>& out) {
    if (index < 0 || index >= static_cast<int>(in.g.nodes.size()) || onPath[index] ||
        depth > kMaxNodeDepth)
        return true;
    if (++in.visits > kMaxNodeVisits) return false;
    const tinygltf::Node& node = in.g.nodes[index];
    const Matrix world = multiply(parent, nodeMatrix(node));
    if (node.skin >= 0) skip(in, "skins (meshes are imported in their bind pose)");
    if (node.mesh >= 0 && node.mesh < static_cast<int>(in.g.meshes.size()))
        for (const tinygltf::Primitive& p : in.g.meshes[node.mesh].primitives) {
            Placement placed;
            if (!placePrimitive(in, p, world, placed)) continue;
            in.newVertices += placed.corners.size();
            if (in.newVertices > kMaxNewVertices) return false;
            out.push_back(std::move(placed));
        }
    onPath[index] = true;
    for (int child : node.children)
        if (!placeNode(in, child, world, depth + 1, onPath, out)) return false;
    onPath[index] = false;
    return true;
}

std::vector<int> rootNodes(const tinygltf::Model& g) {
    int scene = g.defaultScene;
    if (scene < 0 || scene >= static_cast<int>(g.scenes.size())) scene = g.scenes.empty() ? -1 : 0;
    if (scene >= 0) return g.scenes[scene].nodes;
    std::vector<bool> child(g.nodes.size(), false);
    for (const tinygltf::Node& n : g.nodes)
        for (int c : n.children)
            if (c >= 0 && c < static_cast<int>(child.size())) child[c] = true;
    std::vector<int> roots;
    for (std::size_t i = 0; i < child.size(); ++i)
        if (!child[i]) roots.push_back(static_cast<int>(i));
    return roots;
}

// Keeps an image's bytes as they are: they are written out, never decoded here. The parser hands
// over an image stored in a buffer view without checking that the view lies inside its buffer,
// so that is checked here (model is the tinygltf::Model being read) before a byte is copied.
bool keepImageBytes(tinygltf::Image* image, const int, std::string* err, std::string*, int, int,
                    const unsigned char* bytes, int size, void* model) {
    if (image->bufferView >= 0) {
        const tinygltf::Model& g = *static_cast<const tinygltf::Model*>(model);
        const tinygltf::BufferView& view =
            g.bufferViews[static_cast<std::size_t>(image->bufferView)];
        const std::vector<unsigned char>& buffer =
            g.buffers[static_cast<std::size_t>(view.buffer)].data;
        if (size < 0 || view.byteOffset > buffer.size() ||
            static_cast<std::size_t>(size) > buffer.size() - view.byteOffset) {
            if (err) *err += "an image's buffer view lies outside its buffer\n";
            return false;
        }
        bytes = buffer.data() + view.byteOffset;
    }
    image->image.assign(bytes, bytes + size);
    image->as_is = true;
    return true;
}

// External buffers and images: regular files only, so a name such as a FIFO or a device cannot
// block or feed the reader without end.
bool regularFile(const std::string& path, void*) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readRegularFile(std::vector<unsigned char>* out, std::string* err, const std::string& path,
                     void*) {
    std::string data;
    if (!regularFile(path, nullptr) || !readWholeFile(path, data)) {
        if (err) *err += "cannot read " + path + "\n";
        return false;
    }
    out->assign(data.begin(), data.end());
    return true;
}

bool writeNothing(std::string*, const std::string&, const std::vector<unsigned char>&, void*) {
    return false;
}

FileResult failed(Model& m, const std::string& why, const std::string& path) {
    logEntry(m.log, "glTF import failed: " + why);
    return fileFailed(why, kImportFailed, path);
}

FileResult importBytes(Model& m, const std::string& data, const std::string& path,
                       bool writeImages) {
    logEntry(m.log, "Opening glTF File: " + path);
    if (data.size() > std::numeric_limits<unsigned>::max())
        return failed(m, "the file is too large", path);
    tinygltf::Model g;
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(keepImageBytes, &g);
    loader.SetFsCallbacks(
        {regularFile, tinygltf::ExpandFilePath, readRegularFile, writeNothing, nullptr});
    std::string error, warning;
    const std::string folder = folderOf(absolutePath(path));
    const bool binary = data.compare(0, 4, "glTF") == 0;
    const bool loaded =
        binary ? loader.LoadBinaryFromMemory(&g, &error, &warning,
                                             reinterpret_cast<const unsigned char*>(data.data()),
                                             static_cast<unsigned>(data.size()), folder)
               : loader.LoadASCIIFromString(&g, &error, &warning, data.data(),
                                            static_cast<unsigned>(data.size()), folder);
    if (!warning.empty()) logEntry(m.log, "glTF import: " + warning);
    if (!loaded) return failed(m, error.empty() ? "not a glTF 2.0 file" : error, path);
    for (const std::string& ext : g.extensionsRequired)
        if (ext != "KHR_materials_unlit")
            return failed(m, "the file needs the extension " + ext + ", which is not supported",
                          path);
    const std::size_t oldVertices = m.vertices.size(), oldMeshes = m.meshes.size(),
                      oldMaterials = m.materials.size(), oldTextures = m.textures.size();
    Import in{g, m, withoutExtension(absolutePath(path)), {}, {}, {}, {}, 0, 0};
    bool ok = true;
    std::string why = "the model would hold more vertices than it can count";
    try {
        std::vector<bool> onPath(g.nodes.size(), false);
        std::vector<Placement> placed;
        for (int root : rootNodes(g))
            if (!(ok = placeNode(in, root, identity(), 0, onPath, placed))) break;
        ok = ok && m.vertices.size() + in.newVertices <= kMaxNewVertices * 2 &&
             m.meshes.size() + placed.size() <= kMaxNewVertices;
        if (ok) {
            reserveOnHugePages(m.vertices, m.vertices.size() + in.newVertices);
            for (const Placement& at : placed) appendPrimitive(in, at);
        }
    } catch (const std::bad_alloc&) {
        ok = false;
        why = "not enough memory";
    }
    const auto undo = [&](const std::string& why) {
        m.vertices.resize(oldVertices);
        m.meshes.resize(oldMeshes);
        m.materials.resize(oldMaterials);
        m.textures.resize(oldTextures);
        return failed(m, why, path);
    };
    if (!ok) return undo(why);
    if (m.meshes.size() == oldMeshes) return undo("the file holds no triangles");
    if (writeImages && !in.embedded.empty()) {
        const FileResult written = writeExportFiles(m, "glTF image", in.embedded);
        if (!written.ok) {
            undo(written.error);
            return written;
        }
    }
    logEntry(m.log, "glTF import: " + std::to_string(m.meshes.size() - oldMeshes) + " meshes, " +
                        std::to_string((m.vertices.size() - oldVertices) / 3) + " triangles");
    m.currentMesh = 0;
    return fileSucceeded();
}

FileResult guarded(Model& m, const std::string& data, const std::string& path, bool writeImages) {
    try {
        return importBytes(m, data, path, writeImages);
    } catch (const std::bad_alloc&) {
        return failed(m, "not enough memory", path);
    }
}

} // namespace

FileResult importGltf(Model& m, const std::string& path) {
    std::string data;
    if (!readWholeFile(path, data)) return failed(m, "the file could not be read", path);
    return guarded(m, data, path, true);
}

FileResult importGltfData(Model& m, std::string data, const std::string& path) {
    return guarded(m, data, path, false);
}
