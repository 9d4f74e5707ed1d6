// Binary STL export: facets in model space with their own normals.
#include "model/stl_export.h"

#include "model/export_files.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

void appendFloats(std::string& out, std::initializer_list<float> values) {
    for (float v : values) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xff);
    }
}

} // namespace

std::string stlFileBytes(const Model& m) {
    // A header starting with "solid" would pass for the text form.
    std::string out = "Facetwright binary STL";
    out.resize(80, ' ');
    const uint32_t count = static_cast<uint32_t>(triangleCount(m));
    for (int i = 0; i < 4; ++i) out += static_cast<char>((count >> (8 * i)) & 0xff);
    out.reserve(84 + static_cast<std::size_t>(count) * 50);
    for (uint32_t t = 0; t < count; ++t) {
        const Vertex& a = m.vertices[3 * t];
        const Vertex& b = m.vertices[3 * t + 1];
        const Vertex& c = m.vertices[3 * t + 2];
        const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (length > 0 && std::isfinite(length)) {
            nx /= length, ny /= length, nz /= length;
        } else {
            nx = ny = nz = 0;
        }
        appendFloats(out, {nx, ny, nz, a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z});
        out += std::string(2, '\0'); // attribute byte count
    }
    return out;
}

FileResult exportStl(const Model& m, const std::string& path, const PngSource&) {
    try {
        return writeExportFiles(m, "STL", {{path, stlFileBytes(m)}});
    } catch (const std::bad_alloc&) {
        return fileFailed("not enough memory", "The STL file could not be written", path);
    }
}
