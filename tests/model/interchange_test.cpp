// glTF export and import, OBJ with materials: what another program reads back.
#include "model/file_formats.h"
#include "model/gltf_export.h"
#include "model/gltf_import.h"
#include "model/model_test_files.h"
#include "model/obj_materials_export.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

namespace {

// Two meshes of two triangles each (a quad sharing two corners); material 0 lit and textured,
// material 1 unlit and blended.
void twoQuads(Model& m) {
    const float quad[6][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}};
    m.vertices.resize(12);
    for (int i = 0; i < 12; ++i) {
        Vertex& v = m.vertices[i];
        v.x = quad[i % 6][0] + (i / 6) * 2.0f;
        v.y = quad[i % 6][1];
        v.z = i / 6 * 0.5f;
        v.normalZ = 1;
        v.textureX = quad[i % 6][0] * 0.5f;
        v.textureY = quad[i % 6][1] * 0.25f;
    }
    m.meshes.resize(2);
    m.meshes[0].triangleCount = 2;
    m.meshes[1].firstVertex = 6;
    m.meshes[1].triangleCount = 2;
    m.meshes[1].MaterialNumber = 1;
    m.meshes[1].hidden = true;
    m.materials.resize(2);
    Material& a = m.materials[0];
    a.name = "Wood";
    a.diffuseRed = 0.8f, a.diffuseGreen = 0.6f, a.diffuseBlue = 0.4f, a.diffuseAlpha = 1;
    a.emissionRed = 0.25f;
    a.shininess = 50;
    a.EnableLighting = true;
    a.EnableTexture = true;
    a.TextureIndex = 0;
    Material& b = m.materials[1];
    b.name = "Glass";
    b.colourRed = 0.2f, b.colourGreen = 0.4f, b.colourBlue = 0.6f, b.colourAlpha = 0.5f;
    b.EnableBlend = true;
    m.textures.push_back({"./wood.bmp", 0});
}

// A mesh's triangles as (x, y, z, u, v) per corner, sorted: the order may change, they may not.
std::vector<std::array<float, 15>> triangles(const Model& m, const Mesh& mesh) {
    std::vector<std::array<float, 15>> out;
    for (int32_t t = mesh.firstVertex; t < meshEndVertex(m, mesh); t += 3) {
        std::array<float, 15> tri{};
        for (int k = 0; k < 3; ++k) {
            const Vertex& v = m.vertices[t + k];
            const float values[5] = {v.x, v.y, v.z, v.textureX, v.textureY};
            std::copy(values, values + 5, tri.begin() + 5 * k);
        }
        out.push_back(tri);
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(GltfExport, RoughnessFollowsShininessBothWays) {
    EXPECT_FLOAT_EQ(roughnessFromShininess(0), 1.0f);
    EXPECT_NEAR(roughnessFromShininess(128), 0.352f, 1e-3);
    EXPECT_GT(roughnessFromShininess(10), roughnessFromShininess(50));
    for (float n : {0.0f, 5.0f, 50.0f, 128.0f})
        EXPECT_NEAR(shininessFromRoughness(roughnessFromShininess(n)), n, 1e-2 * (n + 1));
}

// A model through .glb and back: corners, meshes, materials and the texture's image.
TEST(GltfExport, GlbBackToAModelKeepsCornersMaterialsAndTextures) {
    TempDir dir;
    Model source;
    twoQuads(source);
    source.textureFolder = dir.path;
    std::vector<std::string> asked;
    const PngSource png = [&asked](const std::string& path, std::string& bytes) {
        asked.push_back(path);
        bytes = "PNG of " + path;
        return true;
    };
    ASSERT_TRUE(exportGltf(source, dir.path + "out.glb", png).ok);
    EXPECT_EQ(asked, std::vector<std::string>{dir.path + "./wood.bmp"}); // once, though shared

    Model back;
    back.materials.resize(1); // the default material an import starts with
    ASSERT_TRUE(importGltf(back, dir.path + "out.glb").ok);
    ASSERT_EQ(meshCount(back), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(triangles(back, back.meshes[i]), triangles(source, source.meshes[i])) << i;
    ASSERT_EQ(materialCount(back), 3);
    const Material& wood = back.materials[back.meshes[0].MaterialNumber];
    const Material& glass = back.materials[back.meshes[1].MaterialNumber];
    EXPECT_EQ(wood.name, "Wood");
    EXPECT_FLOAT_EQ(wood.diffuseGreen, 0.6f);
    EXPECT_FLOAT_EQ(wood.emissionRed, 0.25f);
    EXPECT_NEAR(wood.shininess, 50, 0.01);
    EXPECT_TRUE(wood.EnableLighting && !wood.EnableBlend && wood.EnableTexture);
    EXPECT_FLOAT_EQ(glass.diffuseBlue, 0.6f); // an unlit material's colour
    EXPECT_FLOAT_EQ(glass.diffuseAlpha, 0.5f);
    EXPECT_TRUE(!glass.EnableLighting && glass.EnableBlend && !glass.EnableTexture);
    ASSERT_EQ(textureCount(back), 1);
    EXPECT_EQ(back.textures[0].fileName, "./out_image0.png");
    EXPECT_EQ(readText(dir.path + "out_image0.png"), "PNG of " + dir.path + "./wood.bmp");
}

// Each quad's two shared corners are written once; 16-bit indices for a small mesh.
TEST(GltfExport, CoincidingCornersShareOneVertex) {
    TempDir dir;
    Model m;
    twoQuads(m);
    ASSERT_TRUE(exportGltf(m, dir.path + "my out.gltf", PngSource()).ok);
    const std::string json = readText(dir.path + "my out.gltf");
    EXPECT_NE(json.find("\"count\":4,\"type\":\"VEC3\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"componentType\":5123,\"count\":6"), std::string::npos);
    EXPECT_NE(json.find("\"min\":[0.0,0.0,0.0],\"max\":[1.0,1.0,0.0]"), std::string::npos);
    EXPECT_NE(json.find("\"uri\":\"my%20out.bin\""), std::string::npos); // a URI, not a name
    EXPECT_FALSE(readText(dir.path + "my out.bin").empty());
    // without an image source the textured material is written untextured
    EXPECT_EQ(json.find("baseColorTexture"), std::string::npos);
}

// Files the reader must refuse or skip leave the model as it was.
TEST(GltfImport, RefusesWhatItCannotUse) {
    const std::string triangle =
        R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"}],)"
        R"("bufferViews":[{"buffer":0,"byteLength":36}],)"
        R"("buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,)"
        R"(AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAA"}])";
    const std::string scene = R"({"asset":{"version":"2.0"},"nodes":[{"mesh":0}],)";
    struct Case {
        const char* what;
        std::string json;
        const char* message;
    } cases[] = {
        {"indices past the vertices",
         scene + R"("meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":0}]}],)" +
             triangle + "}",
         "no triangles"},
        {"lines only",
         scene + R"("meshes":[{"primitives":[{"attributes":{"POSITION":0},"mode":1}]}],)" +
             triangle + "}",
         "no triangles"},
        {"an unknown required extension",
         scene + R"("extensionsRequired":["EXT_future"],"extensionsUsed":["EXT_future"],)" +
             R"("meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)" + triangle + "}",
         "EXT_future"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        m.materials.resize(1);
        const FileResult r = importGltfData(m, c.json, "/x/in.gltf");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find(c.message), std::string::npos) << r.error;
        EXPECT_TRUE(m.vertices.empty() && m.meshes.empty() && m.textures.empty());
        EXPECT_EQ(materialCount(m), 1);
    }
}

// tinyobjloader reads every triangle, both materials and the texture without a warning.
TEST(ObjWithMaterials, ReadBackByTinyObjLoader) {
    TempDir dir;
    Model m;
    twoQuads(m);
    m.textureFolder = dir.path + "maps/";
    makeDirectory(m.textureFolder);
    writeText(m.textureFolder + "wood.bmp", "image bytes");
    makeDirectory(dir.path + "out");
    ASSERT_TRUE(exportObjWithMaterials(m, dir.path + "out/ship.obj", PngSource()).ok);
    // the image was out of reach, so it is copied beside the OBJ
    EXPECT_EQ(readText(dir.path + "out/wood.bmp"), "image bytes");

    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
    ASSERT_TRUE(tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err,
                                 (dir.path + "out/ship.obj").c_str(), (dir.path + "out/").c_str()));
    EXPECT_EQ(warn, "");
    EXPECT_EQ(err, "");
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0].mesh.num_face_vertices.size() + shapes[1].mesh.num_face_vertices.size(),
              4u);
    EXPECT_EQ(attrib.vertices.size(), 8u * 3); // each quad's 4 distinct positions once
    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(materials[shapes[0].mesh.material_ids[0]].name, "Wood");
    EXPECT_EQ(materials[0].diffuse_texname, "wood.bmp");
    EXPECT_FLOAT_EQ(materials[0].diffuse[1], 0.6f);
    EXPECT_EQ(materials[shapes[1].mesh.material_ids[0]].name, "Glass");
    EXPECT_FLOAT_EQ(materials[1].dissolve, 0.0f); // blended with diffuse alpha 0
    const tinyobj::index_t corner = shapes[0].mesh.indices[2];
    EXPECT_FLOAT_EQ(attrib.texcoords[2 * corner.texcoord_index + 1], 0.25f);
}

} // namespace
