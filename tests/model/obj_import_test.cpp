// OBJ import: face forms, fanning, fallback texture coordinates, groups, appending, bad input.
#include "model/obj_import.h"

#include "model/model_test_files.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const char* const kNoTriangles = "No Valid Triangles found within OBJ Face List.";

struct Imported {
    FileResult result;
    std::vector<std::string> log; // the entries this import wrote
};

Imported importText(Model& m, const std::string& text, const std::string& name = "in.obj") {
    static TempDir dir;
    const std::string path = dir.path + name;
    writeText(path, text);
    const std::size_t before = logTexts().size();
    Imported out;
    out.result = importObj(m, path);
    const std::vector<std::string> all = logTexts();
    out.log.assign(all.begin() + static_cast<std::ptrdiff_t>(std::min(before, all.size())),
                   all.end());
    return out;
}

// Positions and texture coordinates of the imported vertices, as "x,y,z u,v" per vertex.
std::vector<std::string> corners(const Model& m, std::size_t from = 0,
                                 std::size_t count = SIZE_MAX) {
    std::vector<std::string> out;
    for (std::size_t i = from; i < m.vertices.size() && out.size() < count; ++i) {
        const Vertex& v = m.vertices[i];
        char buf[96];
        std::snprintf(buf, sizeof buf, "%g,%g,%g %g,%g", v.x, v.y, v.z, v.textureX, v.textureY);
        out.push_back(buf);
    }
    return out;
}

// The position indices of the imported triangles, when vertex n sits at x = n.
std::vector<int> positionIndices(const Model& m) {
    std::vector<int> out;
    for (const Vertex& v : m.vertices) out.push_back(static_cast<int>(v.x));
    return out;
}

// "v n 0 0" for n = 1 .. count, so an imported vertex's x names its OBJ position.
std::string numberedPositions(int count) {
    std::string out;
    for (int n = 1; n <= count; ++n) out += "v " + std::to_string(n) + " 0 0\n";
    return out;
}

bool contains(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST(ObjImport, FansFacesWithTheFallbackTextureCoordinates) {
    {
        // A quad: two triangles with the fallbacks of the first two rows.
        Model m;
        const Imported r = importText(m, "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
        ASSERT_TRUE(r.result.ok) << r.result.error;
        EXPECT_EQ(corners(m), (std::vector<std::string>{"0,0,0 0,0", "1,0,0 1,0", "1,1,0 1,1",
                                                        "0,0,0 0,1", "1,1,0 1,1", "0,1,0 0,1"}));
        ASSERT_EQ(meshCount(m), 1);
        EXPECT_EQ(m.meshes[0].triangleCount, 2);
    }
    {
        // v/t/n takes the "vt" entries; v//n has none, so the fallbacks.
        Model m;
        const char* head = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.25 0.5\nvt 0.75 0.5\nvt 0.5 0.125 9\n"
                           "vn 0 0 1\nvn 0 0 1\nvn 0 0 1\n";
        ASSERT_TRUE(importText(m, std::string(head) + "f 1/3/1 2/1/2 3/2/3\n").result.ok);
        EXPECT_EQ(corners(m), (std::vector<std::string>{"0,0,0 0.5,0.125", "1,0,0 0.25,0.5",
                                                        "0,1,0 0.75,0.5"}));
        Model n;
        ASSERT_TRUE(importText(n, std::string(head) + "f 1//1 2//2 3//3\n").result.ok);
        EXPECT_EQ(corners(n), (std::vector<std::string>{"0,0,0 0,0", "1,0,0 1,0", "0,1,0 1,1"}));
        // v/t with one texture index out of range: only that corner falls back.
        Model k;
        ASSERT_TRUE(importText(k, std::string(head) + "f 1/1 2/4 3/0\n").result.ok);
        EXPECT_EQ(corners(k),
                  (std::vector<std::string>{"0,0,0 0.25,0.5", "1,0,0 1,0", "0,1,0 1,1"}));
    }
    {
        // A pentagon: (1,2,3), (1,3,4), (1,4,5); the third triangle falls back to (0, 0).
        Model m;
        ASSERT_TRUE(importText(m, numberedPositions(5) + "f 1 2 3 4 5\n").result.ok);
        EXPECT_EQ(positionIndices(m), (std::vector<int>{1, 2, 3, 1, 3, 4, 1, 4, 5}));
        for (int i = 6; i < 9; ++i)
            EXPECT_EQ(m.vertices[i].textureX + m.vertices[i].textureY, 0.0f) << i;
    }
    {
        // A hexagon whose fourth index is out of range gives one triangle only.
        Model m;
        ASSERT_TRUE(importText(m, numberedPositions(6) + "f 1 2 3 9 5 6\n").result.ok);
        EXPECT_EQ(positionIndices(m), (std::vector<int>{1, 2, 3}));
    }
    {
        // Past six corners the fan goes on, in every form, and stops at the first bad corner.
        Model m;
        ASSERT_TRUE(importText(m, numberedPositions(9) + "f 1 2 3 4 5 6 7 8\n"
                                                         "f 1/1 2/1 3/1 4/1 5/1 6/1 7/1 99/1 9/1\n"
                                                         "f 1//1 2//1 3//1 4//1 5//1 6//1 7//1\n")
                        .result.ok);
        EXPECT_EQ(positionIndices(m),
                  (std::vector<int>{1, 2, 3, 1, 3, 4, 1, 4, 5, 1, 5, 6, 1, 6, 7, 1,
                                    7, 8, 1, 2, 3, 1, 3, 4, 1, 4, 5, 1, 5, 6, 1, 6,
                                    7, 1, 2, 3, 1, 3, 4, 1, 4, 5, 1, 5, 6, 1, 6, 7}));
        EXPECT_EQ(m.vertices[17].textureX + m.vertices[17].textureY, 0.0f);
    }
    {
        // Forms read like sscanf's %i: blanks between the parts, hex and octal, a sign. A line
        // mixing forms reads only what its first form takes, so "f 1 2/2 3" lacks a third corner,
        // and in "f 7/1/ 8/1/1 9/1/1" the 8 is read as the first normal index.
        Model m;
        ASSERT_TRUE(importText(m, numberedPositions(9) + "f  0x1\t+2   03\nf 1/ 2 4/ 5 6/ 7\n"
                                                         "f 1 2/2 3\nf 7/1/ 8/1/1 9/1/1\n")
                        .result.ok);
        EXPECT_EQ(positionIndices(m), (std::vector<int>{1, 2, 3, 1, 4, 6}));
    }
    {
        // Thousands of quads and heptagons outgrow the room a face count suggests: the import
        // equals the same fans written out as triangles.
        std::string faces, triangles;
        for (int i = 0; i < 3000; ++i) {
            const int a = 1 + i % 50, n = i % 3 == 0 ? 7 : 4;
            std::string face = "f";
            for (int k = 0; k < n; ++k)
                face += " " + std::to_string(a + k) + "/" + std::to_string(a + k);
            faces += face + "\n";
            for (int k = 1; k + 1 < n; ++k)
                for (int c : {a, a + k, a + k + 1})
                    triangles += (c == a ? "f " : " ") + std::to_string(c) + "/" +
                                 std::to_string(c) + (c == a + k + 1 ? "\n" : "");
        }
        std::string head = numberedPositions(60);
        for (int i = 1; i <= 60; ++i) head += "vt " + std::to_string(i) + " 0.5\n";
        Model fanned, written;
        ASSERT_TRUE(importText(fanned, head + faces).result.ok);
        ASSERT_TRUE(importText(written, head + triangles).result.ok);
        EXPECT_EQ(triangleCount(fanned), 1000 * 5 + 2000 * 2);
        EXPECT_EQ(corners(fanned), corners(written));
    }
}

TEST(ObjImport, SkipsInvalidFacesAndFailsWithTheModelUnchanged) {
    auto expectRefused = [](const std::string& text, const std::string& error) {
        Model m;
        m.vertices.resize(3);
        m.vertices[1].x = 5;
        m.meshes.resize(1);
        m.meshes[0].triangleCount = 1;
        m.currentMesh = 4;
        const Imported r = importText(m, text);
        EXPECT_FALSE(r.result.ok) << text;
        EXPECT_EQ(r.result.error, error) << text;
        EXPECT_EQ(r.result.boxCaption, "ERROR");
        EXPECT_NE(r.result.boxText.find(error), std::string::npos);
        EXPECT_EQ(r.log.back(), error);
        EXPECT_EQ(vertexCount(m), 3);
        EXPECT_EQ(m.vertices[1].x, 5.0f);
        EXPECT_EQ(meshCount(m), 1);
        EXPECT_EQ(m.currentMesh, 4);
    };
    // An index past the positions read; the only face, so nothing to import.
    expectRefused("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n", kNoTriangles);
    // Relative indices are not supported.
    expectRefused("v 0 0 0\nv 1 0 0\nv 0 1 0\nf -3 -2 -1\n", kNoTriangles);
    // Zero, indices past int32 and huge ones.
    expectRefused("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\nf 1 2 2147483648\nf 1 2 99999999999999999\n"
                  "f 1 2 4294967299\n",
                  kNoTriangles);
    // No faces at all, an empty file, faces of two corners, a face keyword without a blank.
    expectRefused("v 0 0 0\nv 1 0 0\nv 0 1 0\n", kNoTriangles);
    expectRefused("", kNoTriangles);
    expectRefused("v 0 0 0\nv 1 0 0\nf 1 2\nf\t1 2 3\nF 1 2 3\n", kNoTriangles);
    // Binary junk.
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) % 256);
    expectRefused(junk, kNoTriangles);
    // A NUL byte ends what a line can say.
    expectRefused("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2" + std::string(1, '\0') + " 3\n", kNoTriangles);

    // The skipped faces are counted in the log, with the first one's line, and in the box.
    Model m;
    const Imported r = importText(m, "# x\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\nf 1 -2 3\n");
    EXPECT_TRUE(contains(r.log, "Skipped 2 invalid OBJ Faces, the first at Line: 5"));
    EXPECT_NE(r.result.boxText.find("2 faces were skipped, the first on line 5."),
              std::string::npos);

    // A file that cannot be read.
    Model n;
    const FileResult missing = importObj(n, "/nonexistent/folder/x.obj");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "ERROR: Failed to open OBJ File");
    EXPECT_EQ(logTexts().back(), "ERROR: Failed to open OBJ File");
    TempDir dir;
    EXPECT_FALSE(importObj(n, dir.path).ok); // a directory
    EXPECT_EQ(vertexCount(n), 0);
}

TEST(ObjImport, GroupsBecomeMeshesAppendedAfterTheExistingOnes) {
    const std::string quad = "f 1 2 3 4\n";
    const std::string tri = "f 1 2 3\n";
    auto meshes = [](const Model& m) {
        std::vector<std::string> out;
        for (const Mesh& k : m.meshes)
            out.push_back(std::to_string(k.firstVertex) + ":" + std::to_string(k.triangleCount));
        return out;
    };
    {
        // Without "g" lines one mesh; a "g" before the first face opens nothing extra.
        Model m;
        ASSERT_TRUE(importText(m, numberedPositions(4) + quad + tri + tri).result.ok);
        EXPECT_EQ(meshes(m), (std::vector<std::string>{"0:4"}));
        Model n;
        ASSERT_TRUE(importText(n, numberedPositions(4) + "g a\ng b\n" + quad + tri).result.ok);
        EXPECT_EQ(meshes(n), (std::vector<std::string>{"0:3"}));
    }
    {
        // "g a", faces, "g b", faces: two meshes; two "g" lines in a row still open one, and
        // "g" without its blank is no group line.
        Model m;
        ASSERT_TRUE(importText(m, numberedPositions(4) + "g a\n" + quad + "g b\n" + tri + tri +
                                      "g c\ng d\ng\n" + quad)
                        .result.ok);
        EXPECT_EQ(meshes(m), (std::vector<std::string>{"0:2", "6:2", "12:2"}));
    }
    {
        // A group whose first face is invalid: the next valid face follows a face of its own
        // group, so it stays in the open mesh.
        Model m;
        ASSERT_TRUE(
            importText(m, numberedPositions(4) + quad + "g b\nf 1 2 8\n" + tri + "g c\n" + tri)
                .result.ok);
        EXPECT_EQ(meshes(m), (std::vector<std::string>{"0:3", "9:1"}));
    }
    {
        // Into a model of 100 vertices and 3 meshes: new meshes from 3, starting at vertex 100,
        // material 0, flat, shown and unlocked; the old records and the file name are kept.
        Model m;
        m.fileName = "/somewhere/model.FW2";
        m.hasFileName = true;
        m.vertices.resize(100);
        m.vertices[99].x = 42;
        m.vertices[99].normalDirty = false;
        m.meshes.resize(3);
        m.materials.resize(2);
        for (Mesh& k : m.meshes) k.MaterialNumber = 1, k.smooth = true;
        m.currentMesh = 2;
        const Imported r =
            importText(m, numberedPositions(4) + "g a\n" + tri + "g b\n" + quad, "AB.OBJ");
        ASSERT_TRUE(r.result.ok);
        ASSERT_EQ(meshCount(m), 5);
        EXPECT_EQ(meshes(m)[3], "100:1");
        EXPECT_EQ(meshes(m)[4], "103:2");
        for (int i = 3; i < 5; ++i) {
            EXPECT_EQ(m.meshes[i].MaterialNumber, 0);
            EXPECT_FALSE(m.meshes[i].smooth || m.meshes[i].hidden || m.meshes[i].locked);
        }
        EXPECT_TRUE(m.meshes[0].smooth);
        EXPECT_EQ(vertexCount(m), 109);
        EXPECT_EQ(m.vertices[99].x, 42.0f);
        EXPECT_FALSE(m.vertices[99].normalDirty);
        for (int i = 100; i < 109; ++i) {
            EXPECT_TRUE(m.vertices[i].normalDirty);
            EXPECT_EQ(m.vertices[i].colourAlpha, 0.5f);
        }
        EXPECT_EQ(m.currentMesh, 0);
        EXPECT_EQ(m.fileName, "/somewhere/model.FW2");
        EXPECT_TRUE(m.hasFileName);
        EXPECT_EQ(materialCount(m), 2);
        // The progress lines of the appending steps, in order.
        ASSERT_GE(r.log.size(), 15u);
        EXPECT_EQ(std::vector<std::string>(r.log.end() - 15, r.log.end()),
                  (std::vector<std::string>{
                      "Calculating Triangle Count from OBJ Face List",
                      "OBJ Triangle Count: 3",
                      "Expanding Global FW2 Vertex List to: 109 vertices",
                      "Updating FW2 Vertex Data from OBJ triangles...",
                      "Reallocating Memory for FW2 MeshList",
                      "New Global Mesh Count: 5",
                      " --------- ",
                      "Initialising NEW Mesh: # 3",
                      "Setting ------------  Vertex Index to: 100",
                      "Setting ----------- Triangle Count to: 1",
                      " --------- ",
                      "Initialising NEW Mesh: # 4",
                      "Setting ------------  Vertex Index to: 103",
                      "Setting ----------- Triangle Count to: 2",
                      "Deleting Temporary Memory for OBJ Face List",
                  }));
    }
}

TEST(ObjImport, ReadsLinesAndNumbersWhateverTheirShape) {
    {
        // CR LF line ends, a byte-order mark, no line end after the last face, missing values.
        Model m;
        const Imported r =
            importText(m, "\xEF\xBB\xBFv 1.5 -2e1 3\r\nv 2\r\nv x 1 1\r\nvt 0.5\r\nf 1/1 2/1 3/1");
        ASSERT_TRUE(r.result.ok) << r.result.error;
        EXPECT_EQ(corners(m),
                  (std::vector<std::string>{"1.5,-20,3 0.5,0", "2,0,0 0.5,0", "0,0,0 0.5,0"}));
    }
    {
        // Numbers never depend on the locale.
        const std::string previous = std::setlocale(LC_ALL, nullptr);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            Model m;
            EXPECT_TRUE(importText(m, "v 0.5 0 0\nv 1 0.25 0\nv 0 1 0\nf 1 2 3\n").result.ok);
            std::setlocale(LC_ALL, previous.c_str());
            ASSERT_EQ(vertexCount(m), 3);
            EXPECT_EQ(m.vertices[0].x, 0.5f);
            EXPECT_EQ(m.vertices[1].y, 0.25f);
        }
    }
    {
        // A line past the 1023-character buffer: its rest is never a statement of its own, and a
        // cut face keeps only the corners read whole (the index cut at the end is not taken).
        std::string longFace = "f";
        for (int i = 0; i < 300; ++i) longFace += " " + std::to_string(1000 + i % 3);
        ASSERT_GT(longFace.size(), 1023u);
        ASSERT_NE(longFace[1022], ' '); // an index straddles the cut
        std::string comment = "# " + std::string(1021, 'x') + "f 1 2 3\n";
        Model m;
        const Imported r = importText(m, numberedPositions(1002) + comment + longFace + "\n" +
                                             "v 0 0 0 " + std::string(1100, '1') + "\n");
        ASSERT_TRUE(r.result.ok) << r.result.error;
        const int cornersRead = 1022 / 5; // " 100k" is five characters
        EXPECT_EQ(triangleCount(m), cornersRead - 2);
        EXPECT_TRUE(contains(r.log, "     Found: 1 Faces"));
        EXPECT_TRUE(contains(r.log, "     Found: 1003 Vertices"));
    }
    {
        // The counting lines name every kind of statement.
        Model m;
        const Imported r = importText(
            m, "g x\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nvn 0 0 1\no y\nusemtl z\n"
               "s 1\nf 1 2 3\ng y\n");
        ASSERT_TRUE(r.result.ok);
        ASSERT_GE(r.log.size(), 14u);
        EXPECT_EQ(r.log[0].rfind("Current Working Directory: ", 0), 0u);
        EXPECT_EQ(r.log[1].rfind("Set Path to Model Directory: ", 0), 0u);
        EXPECT_EQ(r.log[2].rfind("Opening OBJ File: /", 0), 0u);
        EXPECT_EQ(std::vector<std::string>(r.log.begin() + 3, r.log.begin() + 14),
                  (std::vector<std::string>{
                      "     OBJ File - Initial Parse OK", "     Read: 2 Vertex Groups",
                      "     Found: 1 Faces", "     Found: 3 Vertices",
                      "     Read: 1 Vertex Texture Coordinates", "     Read: 2 Vertex Normals",
                      "Allocating Memory for Imported Vertex and Face Data", "Reading File Data",
                      "OBJ Data Loaded but not Verified!", "File Closed.",
                      "Calculating Triangle Count from OBJ Face List"}));
    }
}

TEST(ObjImport, FilesReadInChunksGiveWhatTheirBytesGive) {
    // Faces before the lines they name, numbers run together past the counted room (the array
    // grows while its pages are being backed), lines longer than the read buffer, CR LF and a
    // byte-order mark, and a file large enough to be counted in two halves, split among the
    // faces: the file and its bytes in memory import alike, and the late corners get the
    // positions named after them.
    std::string padding;
    for (int i = 0; i < 4; ++i) padding += "# " + std::string(1u << 20, 'x') + "\n";
    std::string text = "\xEF\xBB\xBF"
                       "f 1/2 2/1 3/2\r\ng a\r\n" +
                       padding;
    for (int i = 0; i < 100000; ++i) text += "f 4 5 6+" + std::to_string(7 + i % 3) + "\n";
    text += "v 1 2 3\nv 4 5 6\nv 7 8 9\nvt 0.25 0.5\nvt 0.75 1\n" + numberedPositions(6) + padding;
    Model fromFile;
    const Imported r = importText(fromFile, text);
    ASSERT_TRUE(r.result.ok) << r.result.error;
    Model fromBytes;
    ASSERT_TRUE(importObjData(fromBytes, text, "in.obj").ok);
    auto sameCorner = [](const Vertex& a, const Vertex& b) {
        return a.x == b.x && a.y == b.y && a.z == b.z && a.textureX == b.textureX &&
               a.textureY == b.textureY;
    };
    ASSERT_EQ(triangleCount(fromFile), 1 + 2 * 100000);
    ASSERT_EQ(vertexCount(fromBytes), vertexCount(fromFile));
    EXPECT_TRUE(std::equal(fromFile.vertices.begin(), fromFile.vertices.end(),
                           fromBytes.vertices.begin(), sameCorner));
    const std::vector<std::string> got = corners(fromFile, 0, 9);
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + 3),
              (std::vector<std::string>{"1,2,3 0.75,1", "4,5,6 0.25,0.5", "7,8,9 0.75,1"}));
    EXPECT_EQ(got[3 + 5], "4,0,0 0,1"); // "6+7" is two corners: 7 ends the second triangle
    ASSERT_EQ(meshCount(fromFile), 2);
    EXPECT_EQ(fromFile.meshes[1].firstVertex, 3);
}

TEST(ObjImport, HostileInputNeverBreaksTheModel) {
    // Lines built from the pieces OBJ readers trip over: every import either appends whole
    // triangles inside meshes that fit, or leaves the model as it was.
    const char* const pieces[] = {"v ",
                                  "vt ",
                                  "vn ",
                                  "f ",
                                  "g ",
                                  "1",
                                  "2",
                                  "3",
                                  "7",
                                  "-1",
                                  "0",
                                  "/",
                                  "//",
                                  " ",
                                  "\t",
                                  "\r",
                                  "2147483647",
                                  "2147483648",
                                  "99999999999",
                                  "0x7fffffff",
                                  "1e40",
                                  "nan",
                                  "-0",
                                  "" /* a NUL byte */,
                                  "\xEF\xBB\xBF",
                                  "#"};
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 60; ++round) {
        std::string text = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
        for (int line = 0; line < 40; ++line) {
            // Mostly a keyword first, then indices, separators and junk.
            const unsigned kind = next(8);
            text += kind < 5 ? pieces[kind] : "";
            for (unsigned k = next(14); k > 0; --k) {
                const unsigned i = next(4) ? 5 + next(4) : next(26);
                static_assert(sizeof pieces / sizeof pieces[0] == 26, "the NUL piece is 23");
                text += i == 23 ? std::string(1, '\0') : std::string(pieces[i]);
                if (next(3)) text += next(5) ? " " : (next(2) ? "/" : "//");
            }
            text += next(4) ? "\n" : "\r\n";
        }
        Model m;
        m.vertices.resize(3);
        m.vertices[2].y = 9;
        m.meshes.resize(1);
        m.meshes[0].triangleCount = 1;
        const Imported r = importText(m, text);
        if (!r.result.ok) {
            EXPECT_EQ(vertexCount(m), 3);
            EXPECT_EQ(meshCount(m), 1);
            EXPECT_EQ(m.vertices[2].y, 9.0f);
            continue;
        }
        ASSERT_GT(meshCount(m), 1);
        int32_t covered = 3;
        for (int32_t i = 1; i < meshCount(m); ++i) {
            EXPECT_EQ(m.meshes[i].firstVertex, covered);
            covered += 3 * m.meshes[i].triangleCount;
        }
        EXPECT_EQ(covered, vertexCount(m));
        for (const Vertex& v : m.vertices) EXPECT_TRUE(std::isfinite(v.x + v.y + v.z));
    }
}

} // namespace

TEST(ObjImport, AModelWithoutMaterialsGetsTheNewModelsMaterialSoItsFileOpensAgain) {
    Model m;
    ASSERT_TRUE(importText(m, numberedPositions(3) + "f 1 2 3\n").result.ok);
    ASSERT_EQ(materialCount(m), 1);
    const Material& mat = m.materials[0];
    EXPECT_EQ(mat.diffuseRed, 0.36f);
    EXPECT_EQ(mat.shininess, 100.0f);
    EXPECT_EQ(mat.colourAlpha, 0.5f);
    EXPECT_TRUE(mat.EnableLighting);
    TempDir dir;
    m.fileName = dir.path + "imported.FW2";
    ASSERT_TRUE(writeModelFile(m));
    Model back;
    ASSERT_TRUE(loadModelFile(back, m.fileName));
    EXPECT_EQ(meshCount(back), 1);
    // A model that has materials keeps exactly those.
    m.materials[0].name = "mine";
    ASSERT_TRUE(importText(m, numberedPositions(3) + "f 1 2 3\n").result.ok);
    ASSERT_EQ(materialCount(m), 1);
    EXPECT_EQ(m.materials[0].name, "mine");
}
