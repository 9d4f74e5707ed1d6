// OBJ export: the exact text, whole triangles only, safe replacement, and the way back in.
#include "model/obj_export.h"

#include "model/model_file.h"
#include "model/model_test_files.h"
#include "model/obj_import.h"

#include <gtest/gtest.h>

namespace {

const std::string kHeader = std::string("# \n#    Facetwright v2.x OBJ EXPORT File\n# \n"
                                        "# For more information visit ") +
                            kProductHost + " \n# \n# 2.6x VERSION \n# \n# Vertex List \n# \n";
const std::string kTrailer = "# \n# END OF OBJ FILE \n# \n";

Vertex vertexAt(float x, float y, float z, float u, float v) {
    Vertex out;
    out.x = x, out.y = y, out.z = z, out.textureX = u, out.textureY = v;
    out.normalX = 0, out.normalY = -1, out.normalZ = 0.5f;
    return out;
}

TEST(ObjExport, WritesEveryVertexThenOneFacePerTriangle) {
    Model m;
    // An empty model: header, face list head and trailer only.
    EXPECT_EQ(objFileText(m), kHeader + "# Face List \n# \n" + kTrailer);

    // Two triangles, the second in a hidden and locked mesh: exported all the same.
    for (int i = 0; i < 6; ++i)
        m.vertices.push_back(vertexAt(static_cast<float>(i), -1.5f, 0, 0.25f * i, 1));
    m.meshes.resize(2);
    m.meshes[0].triangleCount = 1;
    m.meshes[1].firstVertex = 3, m.meshes[1].triangleCount = 1;
    m.meshes[1].hidden = m.meshes[1].locked = true;
    const std::string text = objFileText(m);
    std::string want = kHeader;
    for (int i = 0; i < 6; ++i) {
        char block[160];
        std::snprintf(block, sizeof block,
                      "v %d.000000 -1.500000 0.000000\nvt %.6f 1.000000\n"
                      "vn 0.000000 -1.000000 0.500000\n\n",
                      i, 0.25 * i);
        want += block;
    }
    want += "# Face List \n# \nf 1 2 3\nf 4 5 6\n" + kTrailer;
    EXPECT_EQ(text, want);

    // A partial triangle at the end names no vertex the file lacks.
    m.vertices.push_back(vertexAt(9, 9, 9, 0, 0));
    const std::string partial = objFileText(m);
    EXPECT_NE(partial.find("f 4 5 6\n# \n# END"), std::string::npos);
    EXPECT_EQ(partial.find("f 7"), std::string::npos);
}

TEST(ObjExport, ReplacesFilesSafelyAndReportsFailure) {
    TempDir dir;
    Model m;
    for (int i = 0; i < 3; ++i) m.vertices.push_back(vertexAt(1, 2, 3, 0, 0));

    // Over an existing file: replaced whole, no temporary left beside it.
    const std::string path = dir.path + "out.obj";
    writeText(path, std::string(100000, 'x'));
    const FileResult ok = exportObj(m, path);
    EXPECT_TRUE(ok.ok);
    EXPECT_TRUE(ok.boxText.empty());
    EXPECT_EQ(readText(path), objFileText(m));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) (void)entry, ++files;
    EXPECT_EQ(files, 1);
    const std::vector<std::string> log = logTexts();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "Opening OBJ File for Saving");
    EXPECT_EQ(log.back(), path);

    // A folder that does not exist, and a target that is a folder: logged and told to the user,
    // and what was there stays.
    for (const std::string& bad : {dir.path + "missing/out.obj", dir.path + "sub"}) {
        std::filesystem::create_directory(dir.path + "sub");
        writeText(dir.path + "sub/keep", "kept");
        const FileResult failed = exportObj(m, bad);
        EXPECT_FALSE(failed.ok) << bad;
        EXPECT_EQ(failed.error, "Failed to Open File for Saving!");
        EXPECT_EQ(failed.boxCaption, "ERROR");
        EXPECT_NE(failed.boxText.find(bad), std::string::npos);
        EXPECT_EQ(logTexts().back(), "Failed to Open File for Saving!");
        EXPECT_EQ(readText(dir.path + "sub/keep"), "kept");
    }
}

TEST(ObjExport, RoundTripThroughImportKeepsPositions) {
    // A model file, exported and imported again: the same triangles in one new mesh; the "vt"
    // lines carry the texture coordinates, but the faces do not name them, so the import uses
    // the fallbacks.
    TempDir dir;
    Model m;
    for (int i = 0; i < 12; ++i)
        m.vertices.push_back(vertexAt(0.125f * i, -3.5f + i, 1e3f / (i + 1), 0.1f * i, 0.9f));
    m.meshes.resize(2);
    m.meshes[0].triangleCount = 2;
    m.meshes[1].firstVertex = 6, m.meshes[1].triangleCount = 2;
    m.materials.resize(1);
    m.fileName = dir.path + "source.FW2";
    ASSERT_TRUE(writeModelFile(m));
    Model loaded;
    loaded.fileName = m.fileName;
    ASSERT_TRUE(readModelFile(loaded));
    ASSERT_TRUE(exportObj(loaded, dir.path + "out.OBJ").ok);
    EXPECT_NE(readText(dir.path + "out.OBJ").find("vt 1.100000 0.900000\n"), std::string::npos);

    Model back;
    ASSERT_TRUE(importObj(back, dir.path + "out.OBJ").ok);
    ASSERT_EQ(vertexCount(back), 12);
    ASSERT_EQ(meshCount(back), 1);
    EXPECT_EQ(back.meshes[0].triangleCount, 4);
    const float fallbackU[3] = {0, 1, 1}, fallbackV[3] = {0, 0, 1};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(back.vertices[i].x, loaded.vertices[i].x) << i;
        EXPECT_EQ(back.vertices[i].y, loaded.vertices[i].y) << i;
        EXPECT_EQ(back.vertices[i].z, loaded.vertices[i].z) << i;
        EXPECT_EQ(back.vertices[i].textureX, fallbackU[i % 3]) << i;
        EXPECT_EQ(back.vertices[i].textureY, fallbackV[i % 3]) << i;
    }
}

} // namespace
