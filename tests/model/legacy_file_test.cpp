// Legacy model files: grids converted to triangles, the reader's lines, and grids that do not fit.
#include "model/legacy_file.h"

#include "model/model_file.h"
#include "model/model_test_files.h"

#include <gtest/gtest.h>

namespace {

// "VTX,i,i,10+i,0,u,v,r,g,b,a" for i = first .. first + count - 1: x names the grid point.
std::string gridPoints(int first, int count) {
    std::string out;
    for (int i = first; i < first + count; ++i) {
        const std::string n = std::to_string(i);
        out += "VTX," + n + "," + n + "," + std::to_string(10 + i) + ",0,0." + n +
               ",0.5,0.1,0.2,0.3,1\n";
    }
    return out;
}

std::vector<int> pointsOf(const Model& m) {
    std::vector<int> out;
    for (const Vertex& v : m.vertices) out.push_back(static_cast<int>(v.x));
    return out;
}

TEST(LegacyFile, ConvertsGridsIntoTrianglesRowByRow) {
    TempDir dir;
    {
        // W = 3, H = 2: (0,1,4), (0,4,3), (1,2,5), (1,5,4); records in any order.
        writeText(dir.path + "a.FW2",
                  "// old\nMSH,0,0,3,2,0\n" + gridPoints(3, 3) + kMaterialLine + gridPoints(0, 3));
        Model m;
        std::string error;
        ASSERT_TRUE(loadModelFile(m, dir.path + "a.FW2", &error)) << error;
        EXPECT_EQ(pointsOf(m), (std::vector<int>{0, 1, 4, 0, 4, 3, 1, 2, 5, 1, 5, 4}));
        ASSERT_EQ(meshCount(m), 1);
        EXPECT_EQ(m.meshes[0].triangleCount, 4);
        EXPECT_TRUE(m.meshes[0].smooth);
        EXPECT_TRUE(m.LoadOK);
        // Each corner copies its point's position, texture coordinates and colour.
        const Vertex& v = m.vertices[2]; // point 4
        EXPECT_EQ(v.y, 14.0f);
        EXPECT_EQ(v.textureX, 0.4f);
        EXPECT_EQ(v.textureY, 0.5f);
        EXPECT_EQ(v.colourRed, 0.1f);
        EXPECT_EQ(v.colourAlpha, 1.0f);
        EXPECT_TRUE(v.normalDirty);
        EXPECT_EQ(m.fileName, dir.path + "a.FW2");

        // Saved again it is a current file: the version line, MSH with smooth 1.
        m.fileName = dir.path + "saved.FW2";
        ASSERT_TRUE(writeModelFile(m));
        const std::string saved = readText(m.fileName);
        EXPECT_NE(saved.find("\n2.6x VERSION \n"), std::string::npos);
        EXPECT_NE(saved.find("\nMSH,0,0,4,0,1\n"), std::string::npos);
    }
    {
        // Two 2 x 2 meshes, then grids without cells that have no triangles but exist: width 1,
        // empty, negative, and a single row longer than the points read.
        writeText(dir.path + "b.FW2", kMaterialLine + gridPoints(0, 8) +
                                          "MSH,0,0,2,2,0\nMSH,1,4,2,2,0\nMSH,2,2,1,4,0\n"
                                          "MSH,3,0,0,0,0\nMSH,4,-1,-2,-2,0\nMSH,5,0,50,1,0\n");
        Model m;
        std::string error;
        ASSERT_TRUE(loadModelFile(m, dir.path + "b.FW2", &error)) << error;
        ASSERT_EQ(meshCount(m), 6);
        for (int i : {4, 5}) {
            EXPECT_EQ(m.meshes[i].firstVertex, 12);
            EXPECT_EQ(m.meshes[i].triangleCount, 0);
        }
        EXPECT_EQ(m.meshes[0].firstVertex, 0);
        EXPECT_EQ(m.meshes[1].firstVertex, 6);
        EXPECT_EQ(m.meshes[1].triangleCount, 2);
        EXPECT_EQ(m.meshes[2].firstVertex, 12);
        EXPECT_EQ(m.meshes[2].triangleCount, 0);
        EXPECT_EQ(m.meshes[3].triangleCount, 0);
        EXPECT_EQ(pointsOf(m), (std::vector<int>{0, 1, 3, 0, 3, 2, 4, 5, 7, 4, 7, 6}));
    }
}

TEST(LegacyFile, LogsTheReadingAndConversion) {
    TempDir dir;
    writeText(dir.path + "c.FW2",
              std::string("TEX,0,a.bmp\n") + kMaterialLine + gridPoints(0, 4) + "MSH,0,0,2,2,0\n");
    Model m;
    ASSERT_TRUE(loadModelFile(m, dir.path + "c.FW2"));
    std::vector<std::string> log = logTexts();
    const auto start =
        std::find(log.begin(), log.end(), "Opening LEGACY Model File: " + dir.path + "c.FW2");
    ASSERT_NE(start, log.end());
    EXPECT_EQ(
        std::vector<std::string>(start + 1, log.end()),
        (std::vector<std::string>{
            "     Model File - Initial Parse OK", "     Read: 7 Lines", "     Read: 1 Textures",
            "     Read: 1 Materials", "     Found: 1 Meshes", "     Found: 4 Vertices",
            "Allocating Memory for Model Data", "Allocating Memory for Import Vertices",
            "Allocating Memory for Import Meshes", "Allocating Memory for Material Data",
            "Allocating Memory for Texture Data", "Reading File Data", "Data import success!",
            "File Closed.  Converting Data to 2.6x format.",
            "Conversion Completed. LoadedOK set to TRUE"}));
    ASSERT_EQ(textureCount(m), 1);
    EXPECT_EQ(m.textures[0].fileName, "a.bmp");
}

TEST(LegacyFile, RefusesRecordsAndGridsOutsideTheTablesKeepingTheModel) {
    TempDir dir;
    const std::string points = gridPoints(0, 4); // lines 2 .. 5 after the material
    auto expectRefused = [&](const std::string& text, const std::string& message) {
        Model m;
        m.vertices.resize(3);
        m.vertices[0].x = 7;
        m.meshes.resize(1);
        m.currentMesh = 5;
        const std::string path = dir.path + "bad.FW2";
        writeText(path, text);
        std::string error;
        EXPECT_FALSE(loadModelFile(m, path, &error)) << text;
        EXPECT_EQ(error, "ERROR: " + path + message);
        EXPECT_EQ(logTexts().back(), error);
        EXPECT_FALSE(m.LoadOK);
        EXPECT_EQ(vertexCount(m), 3);
        EXPECT_EQ(m.vertices[0].x, 7.0f);
        EXPECT_EQ(meshCount(m), 1);
        EXPECT_EQ(m.currentMesh, 5);
    };
    const std::string head = kMaterialLine + points;
    // Grids with cells reaching past the points read, or with a negative first point.
    expectRefused(head + "MSH,0,1,2,2,0\n", " : Line: 6 - Mesh grid outside the grid points");
    expectRefused(head + "MSH,0,0,3,2,0\n", " : Line: 6 - Mesh grid outside the grid points");
    expectRefused(head + "MSH,0,-1,2,2,0\n", " : Line: 6 - Mesh grid outside the grid points");
    expectRefused(head + "MSH,0,0,2147483647,2147483647,0\n",
                  " : Line: 6 - Mesh grid outside the grid points");
    // Record numbers out of range, each with its line.
    expectRefused(head + "MSH,1,0,2,2,0\n", " : Line: 6 - Invalid Mesh number");
    expectRefused(kMaterialLine + gridPoints(1, 4), " : Line: 5 - Invalid Vertex number");
    expectRefused("MAT,1\n" + points, " : Line: 1 - Invalid Material number");
    expectRefused("TEX,-1,a.bmp\n" + head, " : Line: 1 - Invalid Texture number");
    // A mesh naming a material the file lacks.
    expectRefused(head + "MSH,0,0,2,2,1\n", " : Mesh 0 - Invalid Material number");
    expectRefused(points + "MSH,0,0,2,2,0\n", " : Mesh 0 - Invalid Material number");
    // Meshes sharing one 100 x 100 grid, 58,806 vertices each: the 19th passes what 10,000
    // points pay for (2^20 + 6 per point) and is refused by its line.
    std::string shared = kMaterialLine + gridPoints(0, 10000);
    for (int k = 0; k < 20; ++k) shared += "MSH," + std::to_string(k) + ",0,100,100,0\n";
    expectRefused(shared, " : Line: 10020 - Mesh grids share their points past 1108576 vertices");
}

} // namespace
