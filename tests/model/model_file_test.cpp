// Model file reading and writing: records, failures that keep the model, directories, locale.
#include "model/model_file.h"

#include "base/paths.h"
#include "model/model_test_files.h"
#include "model/texture_rules.h"
#include "unprivileged.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

const char* const kDefaultModel =
    "// DEFAULT - Facetwright v2.6x Model File\n"
    "2.6x VERSION \n"
    "// \n"
    "MAT,0,0.200000,0.200000,0.200000,0.470000,0.360000,0.360000,0.360000,0.450000,0.990000,"
    "0.990000,0.990000,0.470000,0.000000,0.000000,0.000000,1.000000,100.000000,0,1,1,0,0,1,"
    "0.500000,0.500000,0.500000,0.500000,\n"
    "MSH,0,0,2,0,0\n"
    "VTX,0,-1.000000,-1.000000,0.000000,0.000000,0.000000,1.000000,1.000000,1.000000,0.500000\n"
    "VTX,1,1.000000,-1.000000,0.000000,1.000000,0.000000,1.000000,1.000000,1.000000,0.500000\n"
    "VTX,2,1.000000,1.000000,0.000000,1.000000,1.000000,1.000000,1.000000,1.000000,0.500000\n"
    "VTX,3,-1.000000,-1.000000,0.000000,0.000000,0.000000,1.000000,1.000000,1.000000,0.500000\n"
    "VTX,4,1.000000,1.000000,0.000000,1.000000,1.000000,1.000000,1.000000,1.000000,0.500000\n"
    "VTX,5,-1.000000,1.000000,0.000000,0.000000,1.000000,1.000000,1.000000,1.000000,0.500000\n"
    "// \n"
    "// END OF MODEL FILE \n"
    "// \n";

// Loads the text from a file in dir; the model must refuse it with exactly `message`
// (%s being the file path) and stay as the default model left it.
void expectRefusedKeepingDefault(const TempDir& dir, const std::string& text,
                                 const std::string& messageAfterPath) {
    Model m;
    writeText(dir.path + "default.FW2", kDefaultModel);
    ASSERT_TRUE(loadModelFile(m, dir.path + "default.FW2"));
    m.currentMesh = 7; // a success would reset it
    const std::string path = dir.path + "bad.FW2";
    writeText(path, text);
    std::string error;
    EXPECT_FALSE(loadModelFile(m, path, &error));
    EXPECT_EQ(error, "ERROR: " + path + messageAfterPath);
    EXPECT_EQ(logTexts().back(), error);
    EXPECT_TRUE(m.LoadOK);
    EXPECT_EQ(m.currentMesh, 7);
    EXPECT_EQ(vertexCount(m), 6);
    EXPECT_EQ(meshCount(m), 1);
    EXPECT_EQ(materialCount(m), 1);
    EXPECT_EQ(textureCount(m), 0);
    EXPECT_EQ(m.vertices[5].x, -1.0f);
    EXPECT_EQ(m.meshes[0].triangleCount, 2);
    EXPECT_EQ(m.materials[0].shininess, 100.0f);
}

// A model using every stored field with values that survive six decimals.
void fillModel(Model& m) {
    m.textures.resize(2);
    m.textures[0].fileName = "./brick.bmp";
    m.textures[1].fileName = "http://example.org/t.jpg";
    m.materials.resize(2);
    for (int i = 0; i < 2; ++i) {
        Material& t = m.materials[i];
        float* f[] = {&t.colourRed,   &t.colourGreen,   &t.colourBlue,   &t.colourAlpha,
                      &t.ambientRed,  &t.ambientGreen,  &t.ambientBlue,  &t.ambientAlpha,
                      &t.diffuseRed,  &t.diffuseGreen,  &t.diffuseBlue,  &t.diffuseAlpha,
                      &t.specularRed, &t.specularGreen, &t.specularBlue, &t.specularAlpha,
                      &t.emissionRed, &t.emissionGreen, &t.emissionBlue, &t.emissionAlpha,
                      &t.shininess};
        for (int k = 0; k < 21; ++k) *f[k] = (i ? -0.5f : 0.25f) * (k + 1) + 0.125f;
        t.blendSrc = 770 + i;
        t.blendDst = 771 - i;
        t.EnableBlend = i == 0;
        t.EnableTexture = i == 1;
        t.EnableLighting = i == 0;
        t.TextureIndex = i;
        t.name = i ? "second" : "first_material";
    }
    m.vertices.resize(9);
    for (int i = 0; i < 9; ++i) {
        Vertex& v = m.vertices[i];
        float* f[] = {&v.x,         &v.y,           &v.z,          &v.textureX,   &v.textureY,
                      &v.colourRed, &v.colourGreen, &v.colourBlue, &v.colourAlpha};
        for (int k = 0; k < 9; ++k) *f[k] = static_cast<float>(i * 10 + k) * 0.015625f - 0.75f;
        v.selected = v.locked = true;
        v.normalDirty = false;
        v.normalX = 1;
    }
    m.meshes.resize(2);
    m.meshes[0].firstVertex = 0;
    m.meshes[0].triangleCount = 1;
    m.meshes[0].MaterialNumber = 1;
    m.meshes[0].smooth = true;
    m.meshes[1].firstVertex = 3;
    m.meshes[1].triangleCount = 2;
    m.meshes[1].hidden = true;
}

void expectSameRecords(const Model& a, const Model& b) {
    ASSERT_EQ(modelFileText(a), modelFileText(b));
    ASSERT_EQ(vertexCount(a), vertexCount(b));
    for (int i = 0; i < vertexCount(a); ++i) {
        const Vertex &p = a.vertices[i], &q = b.vertices[i];
        EXPECT_TRUE(p.x == q.x && p.y == q.y && p.z == q.z && p.textureX == q.textureX &&
                    p.textureY == q.textureY && p.colourRed == q.colourRed &&
                    p.colourGreen == q.colourGreen && p.colourBlue == q.colourBlue &&
                    p.colourAlpha == q.colourAlpha)
            << "vertex " << i;
    }
}

} // namespace

TEST(ModelFile, DefaultModelReadsLogsAndWritesBack) {
    TempDir dir;
    const std::string path = dir.path + "NEW_MODEL.FW2";
    writeText(path, kDefaultModel);
    Model m;
    ASSERT_TRUE(loadModelFile(m, path));
    EXPECT_TRUE(m.LoadOK);
    EXPECT_EQ(vertexCount(m), 6);
    EXPECT_EQ(meshCount(m), 1);
    EXPECT_EQ(materialCount(m), 1);
    EXPECT_EQ(textureCount(m), 0);
    const Material& t = m.materials[0];
    EXPECT_EQ(t.ambientAlpha, 0.47f);
    EXPECT_EQ(t.diffuseAlpha, 0.45f);
    EXPECT_EQ(t.emissionAlpha, 1.0f);
    EXPECT_EQ(t.shininess, 100.0f);
    EXPECT_TRUE(!t.EnableBlend && !t.EnableTexture && t.EnableLighting);
    EXPECT_EQ(t.blendSrc, 1);
    EXPECT_EQ(t.blendDst, 1);
    EXPECT_EQ(t.colourRed, 0.5f);
    EXPECT_EQ(t.name, "");
    EXPECT_EQ(m.meshes[0].triangleCount, 2);
    EXPECT_FALSE(m.meshes[0].smooth);
    EXPECT_EQ(m.vertices[1].x, 1.0f);
    EXPECT_EQ(m.vertices[1].y, -1.0f);
    EXPECT_EQ(m.vertices[1].textureX, 1.0f);
    EXPECT_TRUE(m.vertices[1].normalDirty);
    EXPECT_EQ(m.vertices[1].colourAlpha, 0.5f);

    const std::string cwd = currentDirectory();
    const std::vector<std::string> expected = {"Log File Opened...",
                                               "Current Working Directory: " + cwd,
                                               "Set Path to Model Directory: " + cwd,
                                               "Opening Model File: " + path,
                                               "     Model File - Initial Parse OK",
                                               "     Read: 14 Lines",
                                               "     Read: 0 Textures",
                                               "     Read: 1 Materials",
                                               "     Found: 1 Meshes",
                                               "     Found: 6 Vertices",
                                               "Allocating Memory for Model Data",
                                               "Reading File Data",
                                               "Data import success!",
                                               "File Closed.  LoadOK set to TRUE"};
    EXPECT_EQ(logTexts(), expected);

    // Written back: the 20-line header, the same records, the trailer.
    const std::string out = modelFileText(m);
    EXPECT_EQ(linesOf(out, "MATMSHVTXTEX"), linesOf(kDefaultModel, "MATMSHVTXTEX"));
    const std::vector<std::string> lines = linesOf(out);
    ASSERT_EQ(lines.size(), 20u + 8u + 3u);
    EXPECT_EQ(lines[3], std::string("// For more information visit ") + kProductHost + " ");
    EXPECT_EQ(lines[9].size(), 303u); // the long material description, without shininess
    EXPECT_EQ(lines[16], "// Collision Boc Definition:      COL,CollisionBoxNumber, x1, y1, z1, "
                         "x2, y2, z2");
    EXPECT_EQ(lines[18], "2.6x VERSION ");
    const std::string trailer = "// \n// END OF MODEL FILE \n// \n";
    EXPECT_EQ(out.substr(out.size() - trailer.size()), trailer);

    m.fileName = dir.path + "saved.FW2";
    EXPECT_TRUE(writeModelFile(m));
    EXPECT_EQ(readText(m.fileName), out);
    const std::vector<std::string> log = logTexts();
    EXPECT_EQ(log[log.size() - 2], "Opening Model File for Saving");
    EXPECT_EQ(log.back(), m.fileName);
}

TEST(ModelFile, RoundTripAndByteExactRewriteInAnyLocale) {
    TempDir dir;
    Model a;
    fillModel(a);
    a.fileName = dir.path + "a.FW2";
    ASSERT_TRUE(writeModelFile(a));
    Model b;
    ASSERT_TRUE(loadModelFile(b, a.fileName));
    expectSameRecords(a, b);
    // Every stored field, field by field.
    EXPECT_EQ(b.textures[1].fileName, "http://example.org/t.jpg");
    for (int i = 0; i < 2; ++i) {
        const Material &p = a.materials[i], &q = b.materials[i];
        EXPECT_EQ(q.name, p.name);
        EXPECT_TRUE(p.colourRed == q.colourRed && p.colourAlpha == q.colourAlpha &&
                    p.ambientGreen == q.ambientGreen && p.diffuseBlue == q.diffuseBlue &&
                    p.specularAlpha == q.specularAlpha && p.emissionRed == q.emissionRed &&
                    p.shininess == q.shininess);
        EXPECT_TRUE(p.blendSrc == q.blendSrc && p.blendDst == q.blendDst &&
                    p.EnableBlend == q.EnableBlend && p.EnableTexture == q.EnableTexture &&
                    p.EnableLighting == q.EnableLighting && p.TextureIndex == q.TextureIndex);
    }
    EXPECT_TRUE(b.meshes[0].smooth);
    EXPECT_EQ(b.meshes[0].MaterialNumber, 1);
    EXPECT_EQ(b.meshes[1].firstVertex, 3);
    EXPECT_FALSE(b.meshes[1].hidden); // flags are not stored
    EXPECT_FALSE(b.vertices[4].selected || b.vertices[4].locked);
    EXPECT_TRUE(b.vertices[4].normalDirty);
    EXPECT_EQ(b.vertices[4].normalX, 0.0f);

    // Written again, the file is byte for byte the same.
    b.fileName = dir.path + "b.FW2";
    ASSERT_TRUE(writeModelFile(b));
    EXPECT_EQ(readText(b.fileName), readText(a.fileName));

    // A comma-decimal locale changes nothing in either direction.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    Model c;
    const bool loaded = loadModelFile(c, a.fileName);
    c.fileName = dir.path + "c.FW2";
    const bool written = writeModelFile(c);
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_TRUE(loaded && written);
    expectSameRecords(a, c);
    EXPECT_EQ(readText(c.fileName), readText(a.fileName));
}

TEST(ModelFile, RecordPlacementAndFieldRules) {
    TempDir dir;
    const std::string v0 = "VTX,0,1.5,2,3,0.25,0.75,0.1,0.2,0.3,0.4\n";
    const std::string v1 = "VTX,1,-4,5,6,0,1,1,1,1,1\n";
    const std::string v2 = "VTX,2,7,8,9,0.5,0.5,0,0,0,0\n";
    Model up, down;
    writeText(dir.path + "up.FW2", "2.6x VERSION\n" + v0 + v1 + v2);
    writeText(dir.path + "down.FW2", "2.6\n" + v2 + v1 + v0);
    ASSERT_TRUE(loadModelFile(up, dir.path + "up.FW2"));
    ASSERT_TRUE(loadModelFile(down, dir.path + "down.FW2"));
    expectSameRecords(up, down);
    EXPECT_EQ(up.vertices[0].x, 1.5f);
    EXPECT_EQ(up.vertices[2].textureX, 0.5f);

    // Duplicate numbers: the later line wins, the number never given keeps the initialiser;
    // a short line keeps the initialiser for the fields it lacks.
    Model dup;
    writeText(dir.path + "dup.FW2",
              "2.6x VERSION \nVTX,0,1,1,1,0,0,0,0,0,0\nVTX,0,2,2\nVTX,1,9,9,9,9,9,9,9,9,9\n");
    ASSERT_TRUE(loadModelFile(dup, dir.path + "dup.FW2"));
    ASSERT_EQ(vertexCount(dup), 3);
    EXPECT_EQ(dup.vertices[0].x, 2.0f);
    EXPECT_EQ(dup.vertices[0].y, 2.0f);
    EXPECT_EQ(dup.vertices[0].z, 0.0f);
    EXPECT_EQ(dup.vertices[0].colourRed, 1.0f);
    EXPECT_EQ(dup.vertices[0].colourAlpha, 0.5f);
    EXPECT_EQ(dup.vertices[2].colourAlpha, 0.5f);
    EXPECT_EQ(dup.vertices[2].x, 0.0f);

    // Smooth for any value of 1 or more; the MAT flags only for exactly 1; the sixth MSH number
    // is ignored; a texture name ends at a blank and its backslashes become slashes; a missing
    // material name is empty and a long one is cut at 255 characters.
    Model f;
    const std::string longName(300, 'n');
    writeText(dir.path + "f.FW2",
              "2.6x VERSION \n"
              "TEX,0,my texture.bmp\nTEX,1,maps\\stone.bmp\n"
              "MAT,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,2,770,771,-1,3,1,0,0,0,0\n"
              "MAT,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,1,0,0,0,0,0,0," +
                  longName +
                  "\n"
                  "MSH,0,0,0,0,1\nMSH,1,0,0,0,7,99\nMSH,2,0,0,1,-1\nMSH,3,0,0,0,0\n");
    ASSERT_TRUE(loadModelFile(f, dir.path + "f.FW2"));
    EXPECT_EQ(f.textures[0].fileName, "my");
    EXPECT_EQ(f.textures[1].fileName, "maps/stone.bmp");
    EXPECT_FALSE(f.materials[0].EnableBlend);
    EXPECT_FALSE(f.materials[0].EnableTexture);
    EXPECT_TRUE(f.materials[0].EnableLighting);
    EXPECT_EQ(f.materials[0].TextureIndex, 3); // no such texture: allowed in a file
    EXPECT_EQ(f.materials[0].blendDst, 771);
    EXPECT_EQ(f.materials[0].name, "");
    EXPECT_TRUE(f.materials[1].EnableBlend && f.materials[1].EnableTexture);
    EXPECT_FALSE(f.materials[1].EnableLighting);
    EXPECT_EQ(f.materials[1].name, longName.substr(0, 255));
    EXPECT_TRUE(f.meshes[0].smooth);
    EXPECT_TRUE(f.meshes[1].smooth);
    EXPECT_FALSE(f.meshes[2].smooth);
    EXPECT_EQ(f.meshes[2].MaterialNumber, 1);
    EXPECT_FALSE(f.meshes[3].smooth);

    // Only a version line: an empty model that loaded.
    Model empty;
    writeText(dir.path + "empty.FW2", "2.6x VERSION \r\n");
    ASSERT_TRUE(loadModelFile(empty, dir.path + "empty.FW2"));
    EXPECT_TRUE(empty.LoadOK);
    EXPECT_EQ(vertexCount(empty) + meshCount(empty) + materialCount(empty) + textureCount(empty),
              0);
}

TEST(ModelFile, FailedLoadsKeepThePreviousModel) {
    TempDir dir;
    const std::string mat = kMaterialLine;
    const std::string head = "2.6x VERSION\n" + mat + "VTX,0\nVTX,1\nVTX,2\n";
    const struct {
        std::string text;
        const char* messageAfterPath;
    } refused[] = {
        // Record numbers out of range; the line number counts every line, comments included.
        {"// c\n2.6x VERSION\n\nVTX,0\nVTX,1\nVTX,2\nVTX,3\nVTX,4\nVTX,6\n",
         " : Line: 9 - Invalid Vertex number"},
        {"2.6x VERSION\nMSH,-1,0,0,0,0\n", " : Line: 2 - Invalid Mesh number"},
        {"2.6x VERSION\n" + mat + "MAT,2\n", " : Line: 3 - Invalid Material number"},
        {"2.6x VERSION\nTEX,1,a.bmp\n", " : Line: 2 - Invalid Texture number"},
        // Meshes reaching outside the vertices (also past int32 arithmetic) or naming no material.
        {head + "MSH,0,0,1,0,0\nMSH,1,0,2,0,0\n", " : Mesh 1 - vertex range outside the model"},
        {head + "MSH,0,2147483646,715827883,0,0\n", " : Mesh 0 - vertex range outside the model"},
        {head + "MSH,0,-3,1,0,0\n", " : Mesh 0 - vertex range outside the model"},
        {head + "MSH,0,0,-1,0,0\n", " : Mesh 0 - vertex range outside the model"},
        {head + "MSH,0,0,1,1,0\n", " : Mesh 0 - Invalid Material number"},
        {head + "MSH,0,0,1,-1,0\n", " : Mesh 0 - Invalid Material number"},
        // No version line: the legacy reader, whose failures keep the model just the same.
        {mat + "VTX,0\nMSH,0,0,2,2,0\n", " : Line: 3 - Mesh grid outside the grid points"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        expectRefusedKeepingDefault(dir, r.text, r.messageAfterPath);
    }

    // A missing file.
    Model m;
    std::string error;
    EXPECT_FALSE(loadModelFile(m, dir.path + "missing.FW2", &error));
    EXPECT_EQ(error, "ERROR: Failed to open Model File");
    EXPECT_FALSE(m.LoadOK);
    EXPECT_FALSE(loadModelFile(m, dir.path, &error)); // a directory is no file
}

TEST(ModelFile, LongLinesAndLineEnds) {
    TempDir dir;
    // A 1023-character line is read as two pieces (the second empty), a 1500-character line as
    // two; a "VTX" after the first 1023 characters is no record.
    const std::string exact = "//" + std::string(1021, '-') + "\n";
    const std::string hidden = "//" + std::string(1021, '-') + "VTX,9,1,1,1\n";
    Model m;
    writeText(dir.path + "long.FW2", "2.6x VERSION\n" + exact + hidden + "VTX,0,1,2,3\n");
    ASSERT_TRUE(loadModelFile(m, dir.path + "long.FW2"));
    EXPECT_EQ(vertexCount(m), 1);
    const std::vector<std::string> log = logTexts();
    EXPECT_NE(std::find(log.begin(), log.end(), "     Read: 6 Lines"), log.end());
    std::string error;
    writeText(dir.path + "longbad.FW2", "2.6x VERSION\n" + exact + hidden + "VTX,1\n");
    EXPECT_FALSE(loadModelFile(m, dir.path + "longbad.FW2", &error));
    EXPECT_EQ(error, "ERROR: " + dir.path + "longbad.FW2 : Line: 6 - Invalid Vertex number");

    // A record cut at 1023 characters reads only what the first piece holds.
    const std::string start = "VTX,0,1,2,";
    Model cut;
    writeText(dir.path + "cut.FW2",
              "2.6x VERSION\n" + start + std::string(1023 - start.size(), ' ') + "3,4\n");
    ASSERT_TRUE(loadModelFile(cut, dir.path + "cut.FW2"));
    ASSERT_EQ(vertexCount(cut), 1);
    EXPECT_EQ(cut.vertices[0].y, 2.0f);
    EXPECT_EQ(cut.vertices[0].z, 0.0f);

    // CRLF line ends read like LF, and a field never runs on into the next line.
    std::string crlf;
    for (const std::string& line : linesOf(kDefaultModel)) crlf += line + "\r\n";
    Model a, b;
    writeText(dir.path + "lf.FW2", kDefaultModel);
    writeText(dir.path + "crlf.FW2", crlf);
    ASSERT_TRUE(loadModelFile(a, dir.path + "lf.FW2"));
    ASSERT_TRUE(loadModelFile(b, dir.path + "crlf.FW2"));
    expectSameRecords(a, b);
    // The "\r" of a line end takes no room in the line buffer: 1022 characters stay one piece.
    const std::string full = "//" + std::string(1020, '-') + "\r\n";
    writeText(dir.path + "crlfbad.FW2", "2.6x VERSION\r\n" + full + "VTX,1\r\n");
    EXPECT_FALSE(loadModelFile(m, dir.path + "crlfbad.FW2", &error));
    EXPECT_EQ(error, "ERROR: " + dir.path + "crlfbad.FW2 : Line: 3 - Invalid Vertex number");
    Model n;
    writeText(dir.path + "n.FW2", "2.6x VERSION\r\nTEX,0,t.bmp\r\nVTX,0,1,\n2\r\n");
    ASSERT_TRUE(loadModelFile(n, dir.path + "n.FW2"));
    EXPECT_EQ(n.textures[0].fileName, "t.bmp");
    EXPECT_EQ(n.vertices[0].y, 0.0f);
}

TEST(ModelFile, CurrentDirectoryFollowsTheLoadedFile) {
    TempDir dir;
    const std::string start = currentDirectory();
    std::filesystem::create_directory(dir.path + "sub");
    writeText(dir.path + "sub/m.FW2", kDefaultModel);
    ASSERT_TRUE(setCurrentDirectory(dir.path));
    Model m;
    m.loadWithoutDialog = m.useInitialDirectory = true;
    ASSERT_TRUE(loadModelFile(m, "sub/m.FW2"));
    const std::string here = currentDirectory();
    EXPECT_FALSE(m.loadWithoutDialog || m.useInitialDirectory);
    EXPECT_EQ(here, std::filesystem::canonical(dir.path + "sub").string() + "/");
    // The relative name was taken against the old directory and stays usable for Save.
    EXPECT_EQ(std::filesystem::canonical(m.fileName),
              std::filesystem::canonical(dir.path + "sub/m.FW2"));

    // A failed load moves back to where it started and still consumes the flag.
    std::filesystem::create_directory(dir.path + "other");
    m.loadWithoutDialog = true;
    EXPECT_FALSE(loadModelFile(m, dir.path + "other/none.FW2"));
    EXPECT_EQ(currentDirectory(), here);
    EXPECT_FALSE(m.loadWithoutDialog);
    // Without the flag the directory stays.
    ASSERT_TRUE(setCurrentDirectory(dir.path + "other"));
    ASSERT_TRUE(loadModelFile(m, dir.path + "sub/m.FW2"));
    EXPECT_EQ(currentDirectory(), std::filesystem::canonical(dir.path + "other").string() + "/");
    ASSERT_TRUE(setCurrentDirectory(start));
}

TEST(ModelFile, FailedSaveKeepsTheOldFile) {
    TempDir dir;
    Model m;
    fillModel(m);
    std::string error;
    // The folder does not exist.
    m.fileName = dir.path + "missing/x.FW2";
    EXPECT_FALSE(writeModelFile(m, &error));
    // The message, and on a line of its own the reason, which the log has before the message.
    EXPECT_EQ(error, "Failed to Open File for Saving!\nNo such file or directory");
    const std::vector<std::string> log = logTexts();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "Saving failed: No such file or directory");
    EXPECT_EQ(log.back(), "Failed to Open File for Saving!");
    EXPECT_FALSE(fileExists(m.fileName));
    // A name with no room for a temporary suffix still saves (the temporary name is shortened),
    // and nothing else is left in the folder.
    m.fileName = dir.path + std::string(255, 'k');
    writeText(m.fileName, "old contents");
    EXPECT_TRUE(writeModelFile(m, &error));
    EXPECT_EQ(readText(m.fileName), modelFileText(m));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ModelFile, AFileTheUserMayNotWriteStaysAsItIsAndTheSaveSaysWhy) {
    TempDir dir;
    ASSERT_TRUE(fwtest::openToCheckUser(dir.path));
    const std::string target = dir.path + "locked.FW2";
    const std::string logPath = dir.path + "save.log";
    writeText(target, "old");
    ASSERT_EQ(::chown(target.c_str(), fwtest::checkUid(), fwtest::checkGid()), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    // The folder would let the file be replaced; the file's own permission must decide.
    const std::string outcome = fwtest::runUnprivileged([&] {
        Model m;
        logOpen(m.log, logPath);
        fillModel(m);
        std::string error;
        if (writeModelFileAs(m, target, &error)) return std::string("the file was replaced");
        return error == "Failed to Open File for Saving!\nPermission denied" ? std::string()
                                                                             : "error: " + error;
    });
    if (outcome == fwtest::kNoUnprivilegedUser) GTEST_SKIP() << outcome;
    EXPECT_EQ(outcome, "");
    EXPECT_EQ(readText(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path),
                            std::filesystem::directory_iterator()),
              2); // the file and the log: no temporary file
    const std::string log = readText(logPath);
    EXPECT_NE(log.find(" - Saving failed: Permission denied\n"), std::string::npos);
    EXPECT_NE(log.find(" - Failed to Open File for Saving!\n"), std::string::npos);
}

TEST(ModelFile, TextureNamesFindTheirImagesFromTheSavedFilesFolder) {
    TempDir dir;
    for (const char* folder : {"a", "a/maps", "a/sub", "b"})
        std::filesystem::create_directory(dir.path + folder);
    for (const char* image : {"a/plasma.png", "a/maps/wood.png"}) writeText(dir.path + image, "");
    writeText(dir.path + "a/m.FW2", std::string("2.6x VERSION\nTEX,0,./plasma.png\n"
                                                "TEX,1,maps/wood.png\nTEX,2,http://h/t.png\n"
                                                "TEX,3,") +
                                        dir.path + "a/plasma.png\n");
    const std::string start = currentDirectory();
    Model m;
    m.loadWithoutDialog = true;
    ASSERT_TRUE(loadModelFile(m, dir.path + "a/m.FW2"));
    // Saved beside the original the names stay byte for byte; a sibling folder and a nested one
    // get names that find the same images; remote and absolute names stay as they are.
    const struct {
        const char* file;
        const char* plasma;
        const char* wood;
    } saves[] = {{"a/same.FW2", "./plasma.png", "maps/wood.png"},
                 {"b/sibling.FW2", "../a/plasma.png", "../a/maps/wood.png"},
                 {"a/sub/nested.FW2", "../plasma.png", "../maps/wood.png"}};
    for (const auto& save : saves) {
        const std::string path = dir.path + save.file;
        ASSERT_TRUE(writeModelFileAs(m, path));
        Model back;
        back.loadWithoutDialog = true;
        ASSERT_TRUE(loadModelFile(back, path));
        ASSERT_EQ(textureCount(back), 4);
        EXPECT_EQ(back.textures[0].fileName, save.plasma);
        EXPECT_EQ(back.textures[1].fileName, save.wood);
        EXPECT_EQ(back.textures[2].fileName, "http://h/t.png");
        EXPECT_EQ(back.textures[3].fileName, dir.path + "a/plasma.png");
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(fileExists(texturePath(back.textures[i].fileName, back.textureFolder)));
    }
    // The model keeps the names it had, relative to the folder it was read from.
    EXPECT_EQ(m.textures[0].fileName, "./plasma.png");
    EXPECT_EQ(m.textureFolder, dir.path + "a/");
    ASSERT_TRUE(setCurrentDirectory(start));
}

// What counts as an unsaved change: exactly what the file would hold, nothing else.
TEST(ModelFile, ChangesAreWhatTheFileWouldHold) {
    TempDir dir;
    writeText(dir.path + "m.FW2", kDefaultModel);
    Model m;
    ASSERT_TRUE(loadModelFile(m, dir.path + "m.FW2"));
    m.textures.resize(1);
    m.textures[0].fileName = "./a.bmp";
    EXPECT_FALSE(modelChanged(m)); // never marked: nothing to lose
    markModelSaved(m);
    EXPECT_FALSE(modelChanged(m));

    // Selection, locks, hidden flags, normals and GL objects are not in the file.
    m.vertices[0].selected = m.vertices[1].locked = m.meshes[0].hidden = m.meshes[0].locked = true;
    m.vertices[2].normalX = 0.7f;
    m.textures[0].glTexture = 9;
    m.currentMesh = 3;
    EXPECT_FALSE(modelChanged(m));

    // Every stored field is: each edit is seen, and putting the value back undoes it.
    const std::vector<std::function<void(Model&, bool)>> edits = {
        [](Model& x, bool on) { x.vertices[4].x = on ? 1.5f : 1.0f; },
        [](Model& x, bool on) { x.vertices[1].textureY = on ? 0.25f : 0.0f; },
        [](Model& x, bool on) { x.vertices[5].colourAlpha = on ? 1.0f : 0.5f; },
        [](Model& x, bool on) { x.meshes[0].smooth = on; },
        [](Model& x, bool on) { x.materials[0].shininess = on ? 5.0f : 100.0f; },
        [](Model& x, bool on) { x.materials[0].name = on ? "wood" : ""; },
        [](Model& x, bool on) { x.textures[0].fileName = on ? "./b.bmp" : "./a.bmp"; },
        [](Model& x, bool on) { x.vertices.resize(on ? 3 : 6, x.vertices[0]); },
    };
    for (std::size_t i = 0; i < edits.size(); ++i) {
        edits[i](m, true);
        EXPECT_TRUE(modelChanged(m)) << "edit " << i;
        if (i + 1 < edits.size()) edits[i](m, false);
    }
    // Below the file's six decimals nothing changes.
    Model again;
    ASSERT_TRUE(loadModelFile(again, dir.path + "m.FW2"));
    markModelSaved(again);
    again.vertices[0].x = -0.9999999f;
    ASSERT_NE(again.vertices[0].x, -1.0f);
    EXPECT_FALSE(modelChanged(again));

    // A model marked changed stays so until it is marked saved.
    markModelSaved(m);
    markModelChanged(m);
    EXPECT_TRUE(modelChanged(m));
    markModelSaved(m);
    EXPECT_FALSE(modelChanged(m));
}
