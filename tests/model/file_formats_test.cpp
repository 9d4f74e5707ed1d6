// The format table: choosing a format by name, and every reader taking bytes as well as a path.
#include "model/file_formats.h"

#include "model/model_test_files.h"

#include <gtest/gtest.h>

namespace {

// One triangle of material 0.
void oneTriangle(Model& m) {
    m.materials.resize(1);
    m.vertices.resize(3);
    m.vertices[1].x = 1.0f;
    m.vertices[2].y = 2.5f;
    m.meshes.resize(1);
    m.meshes[0].triangleCount = 1;
}

std::vector<float> positions(const Model& m) {
    std::vector<float> out;
    for (const Vertex& v : m.vertices) out.insert(out.end(), {v.x, v.y, v.z});
    return out;
}

TEST(FileFormats, FoundByExtensionInAnyCase) {
    ASSERT_NE(fileFormatOfPath("/a/b/ship.obj"), nullptr);
    EXPECT_EQ(fileFormatOfPath("/a/b/ship.obj")->id, FormatObj);
    ASSERT_NE(fileFormatOfPath("dir.obj/SHIP.Fw2"), nullptr);
    EXPECT_EQ(fileFormatOfPath("dir.obj/SHIP.Fw2")->id, FormatModel);
    EXPECT_EQ(fileFormatOfPath("photo.png"), nullptr);
    EXPECT_EQ(fileFormatOfPath("dir.obj/noextension"), nullptr);
}

// Each format writes a model that its reader gives back, from the file and from its bytes alike.
TEST(FileFormats, EveryFormatReadsWhatItWritesFromPathAndFromBytes) {
    TempDir dir;
    Model source;
    oneTriangle(source);
    for (int id = 0; id < FileFormatCount; ++id) {
        const FileFormat& f = fileFormat(static_cast<FileFormatId>(id));
        if (!f.readFile) continue; // written only
        SCOPED_TRACE(f.extension);
        const std::string path = dir.path + "model." + f.extension;
        ASSERT_TRUE(f.write(source, path, PngSource()).ok);

        Model fromFile, fromBytes;
        fromFile.materials.resize(1); // an import appends to a model that has a material
        fromBytes.materials.resize(1);
        ASSERT_TRUE(f.readFile(fromFile, path).ok);
        ASSERT_TRUE(f.readData(fromBytes, readText(path), path).ok);
        EXPECT_EQ(positions(fromFile), positions(source));
        EXPECT_EQ(positions(fromBytes), positions(source));
        EXPECT_EQ(fromBytes.meshes.size(), 1u);
    }
}

// A refused file leaves the model as it was and names the file in the message.
TEST(FileFormats, RefusedBytesLeaveTheModel) {
    for (int id = 0; id < FileFormatCount; ++id) {
        const FileFormat& f = fileFormat(static_cast<FileFormatId>(id));
        if (!f.readData) continue;
        SCOPED_TRACE(f.extension);
        Model m, before;
        oneTriangle(m);
        oneTriangle(before);
        const std::string bad = id == FormatModel ? "2.6x VERSION\nVTX,7,0,0,0\n" : "f 1 2 3\n";
        const FileResult r = f.readData(m, bad, "/x/bad.file");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.boxText.find("/x/bad.file"), std::string::npos);
        EXPECT_EQ(positions(m), positions(before));
    }
}

} // namespace
