// The default files: their embedded text, their shapes, and writing only the missing ones.
#include "app/default_files_writer.h"

#include "base/numbers.h"
#include "base/paths.h"
#include "model/model_file.h"
#include "resources/default_files.h"
#include "temp_files.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace fwtest;

namespace {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

const DefaultFile kAll[] = {DefaultFile::NewModel, DefaultFile::Config, DefaultFile::PreviewModel1,
                            DefaultFile::PreviewModel2, DefaultFile::PreviewModel3};

struct V3 {
    double x, y, z;
};
V3 minus(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

struct PreviewVertex {
    V3 p;
    float u, v;
};

// Checks every VTX line's numbering, texture range and colour; returns the vertices.
std::vector<PreviewVertex> previewVertices(const std::vector<std::string>& lines) {
    std::vector<PreviewVertex> out;
    for (const std::string& line : lines) {
        if (line.rfind("VTX,", 0) != 0) continue;
        const char* p = line.c_str() + 4;
        int32_t index = -1;
        float f[9] = {};
        p = scanInt(p, index);
        for (float& value : f) {
            if (p) p = scanChar(p, ',');
            if (p) p = scanFloat(p, value);
        }
        EXPECT_TRUE(p && *p == '\0') << line;
        EXPECT_EQ(index, static_cast<int32_t>(out.size())) << line;
        EXPECT_TRUE(f[3] >= 0 && f[3] <= 1 && f[4] >= 0 && f[4] <= 1) << line;
        EXPECT_EQ(line.substr(line.size() - 36), ",1.000000,1.000000,1.000000,0.500000") << line;
        out.push_back({{f[0], f[1], f[2]}, f[3], f[4]});
    }
    return out;
}

V3 triangleNormal(const std::vector<PreviewVertex>& v, std::size_t t) {
    return cross(minus(v[3 * t + 1].p, v[3 * t].p), minus(v[3 * t + 2].p, v[3 * t].p));
}

} // namespace

TEST(DefaultFiles, EmbeddedNewModelAndConfigAreExact) {
    const std::vector<std::string> newModel = {
        "// DEFAULT - Facetwright v2.6x Model File",
        "2.6x VERSION ",
        "// ",
        "MAT,0,0.200000,0.200000,0.200000,0.470000,0.360000,0.360000,0.360000,0.450000,0.990000,"
        "0.990000,0.990000,0.470000,0.000000,0.000000,0.000000,1.000000,100.000000,0,1,1,0,0,1,"
        "0.500000,0.500000,0.500000,0.500000,",
        "MSH,0,0,2,0,0",
        "VTX,0,-1.000000,-1.000000,0.000000,0.000000,0.000000,1.000000,1.000000,1.000000,0.500000",
        "VTX,1,1.000000,-1.000000,0.000000,1.000000,0.000000,1.000000,1.000000,1.000000,0.500000",
        "VTX,2,1.000000,1.000000,0.000000,1.000000,1.000000,1.000000,1.000000,1.000000,0.500000",
        "VTX,3,-1.000000,-1.000000,0.000000,0.000000,0.000000,1.000000,1.000000,1.000000,0.500000",
        "VTX,4,1.000000,1.000000,0.000000,1.000000,1.000000,1.000000,1.000000,1.000000,0.500000",
        "VTX,5,-1.000000,1.000000,0.000000,0.000000,1.000000,1.000000,1.000000,1.000000,0.500000",
        "// ",
        "// END OF MODEL FILE ",
        "// ",
    };
    const std::vector<std::string> config = {"[Config]",
                                             "",
                                             "WindowX = 0",
                                             "WindowY = 0",
                                             "WindowWidth = 800",
                                             "WindowHeight = 600",
                                             "",
                                             "EnableUndo = 1",
                                             "MaxUndoCount = 10",
                                             "TargetFramerate = 60",
                                             "",
                                             "ShowTexturePreview = 1",
                                             "OnlyShowExtendedToolbars = 0",
                                             "DeleteDefaultMeshOnStartup = 0",
                                             "",
                                             "EnableUpdateChecking = 1",
                                             "",
                                             "BackGroundR = 0.0",
                                             "BackGroundG = 0.0",
                                             "BackGroundB = 0.0",
                                             "",
                                             "ShowHint0 = 1",
                                             ""};
    ASSERT_EQ(newModel.size(), 14u);
    ASSERT_EQ(config.size(), 23u);
    EXPECT_EQ(defaultFileContent(DefaultFile::NewModel), joinLines(newModel));
    EXPECT_EQ(defaultFileContent(DefaultFile::Config), joinLines(config));
}

TEST(DefaultFiles, WrittenWhenMissingInStartupOrder) {
    const std::string dir = makeScratchDir();
    LogChannel log;
    logOpen(log, dir + "test.log");
    writeMissingDefaultFiles(dir, log);

    const int expectedLines[] = {14, 23, 156, 6151, 6151};
    for (DefaultFile which : kAll) {
        const DefaultFileInfo& info = defaultFileInfo(which);
        const std::string text = readText(dir + info.fileName);
        EXPECT_EQ(text, defaultFileContent(which)) << info.fileName;
        EXPECT_EQ(static_cast<int>(splitLines(text).size()), expectedLines[static_cast<int>(which)])
            << info.fileName;
        EXPECT_EQ(text.back(), '\n') << info.fileName;
    }

    // Each check names its file, in start-up order.
    const std::vector<std::string> logLines = splitLines(readText(log.path));
    std::vector<std::string> entries;
    for (std::size_t i = 1; i < logLines.size(); ++i) // line 0 is the file's header
        entries.push_back(logLines[i].substr(23));    // after "dd-Mon-yyyy hh:mm:ss - "
    const std::vector<std::string> expected = {
        "Log File Opened...",
        "Checking to see if NEW_MODEL.FW2 exists...",
        "     Filename: " + dir + "NEW_MODEL.FW2",
        "Checking to see if config.ini file exists...",
        "     Filename: " + dir + "Config.ini",
        "Checking to see if Preview Model file exists...",
        "     Filename: " + dir + "PREVIEWMODEL1.FW2",
        "Checking to see if Preview Model file exists...",
        "     Filename: " + dir + "PREVIEWMODEL2.FW2",
        "Checking to see if Preview Model file exists...",
        "     Filename: " + dir + "PREVIEWMODEL3.FW2",
    };
    EXPECT_EQ(entries, expected);
}

TEST(DefaultFiles, ExistingFilesAreNeverOverwritten) {
    const std::string dir = makeScratchDir();
    LogChannel log;
    writeText(dir + "PREVIEWMODEL2.FW2", "my own\n");
    writeText(dir + "Config.ini", ""); // even an empty file counts as present
    writeMissingDefaultFiles(dir, log);
    EXPECT_EQ(readText(dir + "PREVIEWMODEL2.FW2"), "my own\n");
    EXPECT_EQ(readText(dir + "Config.ini"), "");
    EXPECT_EQ(splitLines(readText(dir + "PREVIEWMODEL3.FW2")).size(), 6151u);
    EXPECT_EQ(splitLines(readText(dir + "NEW_MODEL.FW2")).size(), 14u);

    // A deleted preview model comes back at the next start, the others stay as they are.
    std::remove((dir + "PREVIEWMODEL2.FW2").c_str());
    writeText(dir + "NEW_MODEL.FW2", "edited\n");
    writeMissingDefaultFiles(dir, log);
    EXPECT_EQ(splitLines(readText(dir + "PREVIEWMODEL2.FW2")).size(), 6151u);
    EXPECT_EQ(readText(dir + "NEW_MODEL.FW2"), "edited\n");

    // A folder that cannot take the files is passed over quietly.
    writeMissingDefaultFiles(dir + "missing/", log);
    EXPECT_EQ(readText(dir + "missing/NEW_MODEL.FW2"), "");
}

TEST(DefaultFiles, PreviewModelsHaveTheirLayoutAndShapes) {
    const std::string material =
        "MAT,0,0.200000,0.200000,0.200000,1.000000,0.800000,0.800000,0.800000,1.000000,0.000000,"
        "0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0,1,1,0,0,1,"
        "0.500000,0.500000,0.500000,0.500000,";
    for (DefaultFile which :
         {DefaultFile::PreviewModel1, DefaultFile::PreviewModel2, DefaultFile::PreviewModel3}) {
        const std::vector<std::string> lines = splitLines(std::string(defaultFileContent(which)));
        const char* name = defaultFileInfo(which).fileName;
        ASSERT_EQ(lines.size(), which == DefaultFile::PreviewModel1 ? 156u : 6151u) << name;
        EXPECT_EQ(lines[0], "// ") << name;
        EXPECT_EQ(lines[1], "2.6x VERSION ") << name;
        EXPECT_EQ(lines[2], "// ") << name;
        EXPECT_EQ(lines[3], material) << name;
        EXPECT_EQ(lines[lines.size() - 2], "// ") << name;
        EXPECT_EQ(lines.back(), "// END OF MODEL FILE ") << name;
    }

    // Cube: six faces of eight triangles, each mesh one face, all facing out.
    {
        const std::vector<std::string> lines =
            splitLines(std::string(defaultFileContent(DefaultFile::PreviewModel1)));
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(lines[4 + k],
                      "MSH," + std::to_string(k) + "," + std::to_string(24 * k) + ",8,0,0");
        const std::vector<PreviewVertex> v = previewVertices(lines);
        ASSERT_EQ(v.size(), 144u);
        for (std::size_t t = 0; t < 48; ++t) {
            const V3 n = triangleNormal(v, t);
            const V3 centre = {(v[3 * t].p.x + v[3 * t + 1].p.x + v[3 * t + 2].p.x) / 3,
                               (v[3 * t].p.y + v[3 * t + 1].p.y + v[3 * t + 2].p.y) / 3,
                               (v[3 * t].p.z + v[3 * t + 1].p.z + v[3 * t + 2].p.z) / 3};
            EXPECT_GT(dot(n, centre), 0) << "triangle " << t;
        }
        for (const PreviewVertex& p : v)
            EXPECT_EQ(std::max({std::fabs(p.p.x), std::fabs(p.p.y), std::fabs(p.p.z)}), 1.0);
    }
    // Vase: one closed mesh about Y whose outward winding encloses a positive volume.
    {
        const std::vector<std::string> lines =
            splitLines(std::string(defaultFileContent(DefaultFile::PreviewModel2)));
        EXPECT_EQ(lines[4], "MSH,0,0,2048,0,0");
        const std::vector<PreviewVertex> v = previewVertices(lines);
        ASSERT_EQ(v.size(), 6144u);
        double volume = 0, minY = 10, maxY = -10, maxRadius = 0, minSideRadius = 10;
        for (std::size_t t = 0; t < 2048; ++t)
            volume += dot(v[3 * t].p, cross(v[3 * t + 1].p, v[3 * t + 2].p)) / 6;
        for (const PreviewVertex& p : v) {
            const double r = std::hypot(p.p.x, p.p.z);
            minY = std::min(minY, p.p.y);
            maxY = std::max(maxY, p.p.y);
            maxRadius = std::max(maxRadius, r);
            if (r > 1e-6) minSideRadius = std::min(minSideRadius, r);
        }
        EXPECT_NEAR(minY, -1.47, 1e-6);
        EXPECT_NEAR(maxY, 1.47, 1e-6);
        EXPECT_NEAR(maxRadius, 1.17, 0.02);
        EXPECT_NEAR(minSideRadius, 0.4, 0.02);
        EXPECT_GT(volume, 2.0);
        // Closed: every edge is walked once in each direction.
        using Corner = std::tuple<long, long, long>;
        auto corner = [&](std::size_t i) {
            return Corner{std::lround(v[i].p.x * 1e6), std::lround(v[i].p.y * 1e6),
                          std::lround(v[i].p.z * 1e6)};
        };
        std::map<std::pair<Corner, Corner>, int> edges;
        for (std::size_t t = 0; t < 2048; ++t)
            for (std::size_t e = 0; e < 3; ++e)
                ++edges[{corner(3 * t + e), corner(3 * t + (e + 1) % 3)}];
        int unmatched = 0;
        for (const auto& [edge, count] : edges) {
            auto reverse = edges.find({edge.second, edge.first});
            if (reverse == edges.end() || reverse->second != count) ++unmatched;
        }
        EXPECT_EQ(unmatched, 0);
    }
    // Sheet: 32 x 32 squares over -1..1 facing +Z, rippled by at most 0.12.
    {
        const std::vector<std::string> lines =
            splitLines(std::string(defaultFileContent(DefaultFile::PreviewModel3)));
        EXPECT_EQ(lines[4], "MSH,0,0,2048,0,0");
        const std::vector<PreviewVertex> v = previewVertices(lines);
        ASSERT_EQ(v.size(), 6144u);
        double area = 0;
        for (std::size_t t = 0; t < 2048; ++t) {
            const V3 n = triangleNormal(v, t);
            EXPECT_GT(n.z, 0) << "triangle " << t;
            area += n.z / 2;
        }
        EXPECT_NEAR(area, 4.0, 1e-6);
        for (const PreviewVertex& p : v) {
            EXPECT_LE(std::fabs(p.p.x), 1.0);
            EXPECT_LE(std::fabs(p.p.y), 1.0);
            EXPECT_LE(std::fabs(p.p.z), 0.12 + 1e-6);
        }
    }
}

TEST(DefaultFiles, PreviewModelsAndNewModelLoadThroughTheModelReader) {
    const std::string dir = makeScratchDir();
    writeMissingDefaultFiles(dir, LogChannel{});
    const std::string cwd = currentDirectory();
    const struct {
        DefaultFile which;
        int meshes;
        int vertices;
    } cases[] = {{DefaultFile::NewModel, 1, 6},
                 {DefaultFile::PreviewModel1, 6, 144},
                 {DefaultFile::PreviewModel2, 1, 6144},
                 {DefaultFile::PreviewModel3, 1, 6144}};
    for (const auto& c : cases) {
        Model m;
        m.fileName = dir + defaultFileInfo(c.which).fileName;
        m.loadWithoutDialog = true;
        std::string error;
        EXPECT_TRUE(readModelFile(m, &error)) << m.fileName << ": " << error;
        EXPECT_EQ(meshCount(m), c.meshes) << m.fileName;
        EXPECT_EQ(vertexCount(m), c.vertices) << m.fileName;
        EXPECT_EQ(materialCount(m), 1) << m.fileName;
        ASSERT_FALSE(m.materials.empty());
        EXPECT_TRUE(m.materials[0].EnableLighting);
        EXPECT_FALSE(m.materials[0].EnableBlend);
        EXPECT_FALSE(m.materials[0].EnableTexture);
        for (const Mesh& mesh : m.meshes) EXPECT_FALSE(mesh.smooth);
    }
    setCurrentDirectory(cwd); // loading moves into the model's folder
}
