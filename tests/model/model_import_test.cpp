// Appending a model file to a model: shifted cross-references, failures, the log and directory.
#include "model/model_import.h"

#include "model/model_test_files.h"

#include <gtest/gtest.h>

namespace {

const char* const kImportFailed = "Failed to load FW2 file for Importing!";

// A file of 6 vertices, 1 mesh (smooth), 1 material with texture index 0, and no texture.
const char* const kSixVertices =
    "2.6x VERSION \n"
    "MAT,0,0.1,0.2,0.3,0.4,0,0,0,0,0,0,0,0,0,0,0,0,50,1,770,771,1,0,1,0.5,0.5,0.5,0.5,shiny\n"
    "MSH,0,0,2,0,1\n"
    "VTX,0,1,2,3,0.5,0.25,0.1,0.2,0.3,0.4\nVTX,1,1,0,0,0,0,1,1,1,1\nVTX,2,0,1,0,0,0,1,1,1,1\n"
    "VTX,3,4,5,6,0,0,1,1,1,1\nVTX,4,1,1,1,0,0,1,1,1,1\nVTX,5,2,2,2,0,0,1,1,1,1\n";

// 12 vertices, 2 meshes, 2 materials, 1 texture, all with marks that must survive.
void fillTarget(Model& m) {
    m.vertices.resize(12);
    for (int i = 0; i < 12; ++i) m.vertices[i].x = 100.0f + i, m.vertices[i].normalDirty = false;
    m.meshes.resize(2);
    m.meshes[0].triangleCount = 2, m.meshes[1].firstVertex = 6, m.meshes[1].triangleCount = 2;
    m.materials.resize(2);
    m.materials[1].name = "old";
    m.textures.resize(1);
    m.textures[0].fileName = "./old.bmp";
    m.fileName = "/models/target.FW2";
    m.hasFileName = true;
    m.LoadOK = true;
    m.currentMesh = 1;
    m.useInitialDirectory = true;
}

TEST(ModelImport, AppendsRecordsWithShiftedReferences) {
    TempDir dir;
    writeText(dir.path + "six.FW2", kSixVertices);
    Model m;
    fillTarget(m);
    const std::string cwd = currentDirectory();
    const FileResult r = importModelFile(m, dir.path + "six.FW2");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(currentDirectory(), cwd);

    ASSERT_EQ(vertexCount(m), 18);
    ASSERT_EQ(meshCount(m), 3);
    ASSERT_EQ(materialCount(m), 3);
    ASSERT_EQ(textureCount(m), 1);
    // The new mesh starts after the old vertices and names the new material.
    EXPECT_EQ(m.meshes[2].firstVertex, 12);
    EXPECT_EQ(m.meshes[2].triangleCount, 2);
    EXPECT_EQ(m.meshes[2].MaterialNumber, 2);
    EXPECT_TRUE(m.meshes[2].smooth);
    // The material is copied whole with its texture index shifted by the one texture there.
    const Material& mat = m.materials[2];
    EXPECT_EQ(mat.name, "shiny");
    EXPECT_EQ(mat.TextureIndex, 1);
    EXPECT_EQ(mat.ambientGreen, 0.2f);
    EXPECT_EQ(mat.shininess, 50.0f);
    EXPECT_EQ(mat.blendSrc, 770);
    EXPECT_TRUE(mat.EnableBlend && mat.EnableTexture && mat.EnableLighting);
    EXPECT_EQ(mat.colourAlpha, 0.5f);
    // Vertices: position, texture coordinates and colour; normals due again.
    const Vertex& v = m.vertices[12];
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.z, 3.0f);
    EXPECT_EQ(v.textureY, 0.25f);
    EXPECT_EQ(v.colourBlue, 0.3f);
    EXPECT_EQ(v.colourAlpha, 0.4f);
    EXPECT_TRUE(v.normalDirty);
    EXPECT_EQ(m.vertices[17].x, 2.0f);
    // The old records and the target's own state stay.
    EXPECT_EQ(m.vertices[11].x, 111.0f);
    EXPECT_FALSE(m.vertices[11].normalDirty);
    EXPECT_EQ(m.meshes[1].firstVertex, 6);
    EXPECT_EQ(m.materials[1].name, "old");
    EXPECT_EQ(m.fileName, "/models/target.FW2");
    EXPECT_TRUE(m.hasFileName && m.LoadOK);
    EXPECT_EQ(m.currentMesh, 1);
    EXPECT_FALSE(m.useInitialDirectory);

    // A second import is an independent copy with its own material.
    ASSERT_TRUE(importModelFile(m, dir.path + "six.FW2").ok);
    ASSERT_EQ(meshCount(m), 4);
    EXPECT_EQ(m.meshes[3].firstVertex, 18);
    EXPECT_EQ(m.meshes[3].MaterialNumber, 3);
    EXPECT_EQ(materialCount(m), 4);

    // Textures come along with their names as stored; a legacy file converts on the way.
    writeText(dir.path + "old.FW2",
              "TEX,0,./brick.bmp\nMAT,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,m\n"
              "VTX,0,0,0,0\nVTX,1,1,0,0\nVTX,2,0,1,0\nVTX,3,1,1,0\nMSH,0,0,2,2,0\n");
    ASSERT_TRUE(importModelFile(m, dir.path + "old.FW2").ok);
    ASSERT_EQ(textureCount(m), 2);
    EXPECT_EQ(m.textures[1].fileName, "./brick.bmp");
    EXPECT_EQ(m.materials[4].TextureIndex, 1);
    EXPECT_EQ(m.meshes[4].firstVertex, 24);
    EXPECT_EQ(m.meshes[4].triangleCount, 2);
    EXPECT_EQ(m.meshes[4].MaterialNumber, 4);
    EXPECT_EQ(vertexCount(m), 30);
}

TEST(ModelImport, AMaterialWithoutTextureGetsNone) {
    // Texture index -1, shifted by the target's one texture, would name that texture.
    TempDir dir;
    const std::string zeros = "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,";
    writeText(dir.path + "plain.FW2", "2.6x VERSION \nMAT,0," + zeros + "1,-1,1,1,1,1,1,a\n");
    Model m;
    fillTarget(m);
    ASSERT_TRUE(importModelFile(m, dir.path + "plain.FW2").ok);
    ASSERT_EQ(materialCount(m), 3);
    EXPECT_EQ(m.materials[2].name, "a");
    EXPECT_TRUE(m.materials[2].EnableTexture);
    EXPECT_EQ(m.materials[2].TextureIndex, -1);
}

TEST(ModelImport, FailuresLeaveTheTargetAsItWas) {
    TempDir dir;
    auto expectUnchanged = [](const Model& m) {
        EXPECT_EQ(vertexCount(m), 12);
        EXPECT_EQ(meshCount(m), 2);
        EXPECT_EQ(materialCount(m), 2);
        EXPECT_EQ(textureCount(m), 1);
        EXPECT_EQ(m.currentMesh, 1);
        EXPECT_FALSE(m.useInitialDirectory);
        EXPECT_TRUE(m.LoadOK);
    };
    {
        // Cancelled: the failure line alone, no box.
        Model m;
        fillTarget(m);
        const FileResult r = importModelFile(m, "");
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.boxText.empty());
        EXPECT_EQ(logTexts().back(), kImportFailed);
        expectUnchanged(m);
    }
    {
        // A record out of range: the reader's line, then the failure line, and a box naming both
        // file and line.
        const std::string path = dir.path + "bad.FW2";
        writeText(path, "2.6x VERSION \nVTX,0,0,0,0\nVTX,3,0,0,0\n");
        Model m;
        fillTarget(m);
        const std::string cwd = currentDirectory();
        const FileResult r = importModelFile(m, path);
        EXPECT_FALSE(r.ok);
        const std::string reason = "ERROR: " + path + " : Line: 3 - Invalid Vertex number";
        EXPECT_EQ(r.error, reason);
        EXPECT_EQ(r.boxCaption, "ERROR");
        EXPECT_NE(r.boxText.find(reason), std::string::npos);
        const std::vector<std::string> log = logTexts();
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[log.size() - 2], reason);
        EXPECT_EQ(log.back(), kImportFailed);
        EXPECT_EQ(currentDirectory(), cwd);
        expectUnchanged(m);
    }
    {
        // A missing file, and a mesh whose shifted material would pass int32.
        Model m;
        fillTarget(m);
        EXPECT_EQ(importModelFile(m, dir.path + "none.FW2").error,
                  "ERROR: Failed to open Model File");
        expectUnchanged(m);
        Model bigTarget;
        bigTarget.materials.resize(1);
        bigTarget.textures.resize(1);
        writeText(dir.path + "far.FW2",
                  "2.6x VERSION \nMAT,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,2147483647\n");
        const FileResult far = importModelFile(bigTarget, dir.path + "far.FW2");
        EXPECT_FALSE(far.ok);
        EXPECT_EQ(far.error, "ERROR: " + dir.path + "far.FW2 - too large to append to this model");
        EXPECT_EQ(materialCount(bigTarget), 1);
    }
    {
        // The temporary model restarts the log, as every new model does.
        Model m;
        logEntry(m.log, "before the import");
        importModelFile(m, "");
        const std::vector<std::string> log = logTexts();
        EXPECT_EQ(std::find(log.begin(), log.end(), "before the import"), log.end());
    }
}

} // namespace
