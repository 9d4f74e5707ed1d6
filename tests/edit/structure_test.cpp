// Structure operations: deletes, split, combine, duplicate, invert, draw new mesh, materials.
#include "edit/materials.h"
#include "edit/structure.h"

#include "mesh_builders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {
// Three meshes of 1, 2 and 1 triangles, the middle one with material 1, the last smooth.
void threeMeshes(Model& m) {
    addMesh(m, 1);
    addMesh(m, 2, 1);
    addMesh(m, 1);
    m.meshes[2].smooth = true;
}
} // namespace

TEST(Structure, DeleteMiddleMeshShiftsTail) {
    Model m;
    threeMeshes(m);
    m.vertices[10].selected = true;
    m.vertices[10].locked = true;
    m.currentMesh = 2;
    deleteMesh(m, 1);
    ASSERT_EQ(vertexCount(m), 6);
    ASSERT_EQ(meshCount(m), 2);
    // the last mesh moved down with its values and its vertices came along
    EXPECT_EQ(m.meshes[1].firstVertex, 3);
    EXPECT_TRUE(m.meshes[1].smooth);
    EXPECT_EQ(m.vertices[3].x, 9.0f);
    EXPECT_EQ(m.vertices[4].x, 10.0f);
    // a shifted vertex keeps its lock but not its selection
    EXPECT_TRUE(m.vertices[4].locked);
    EXPECT_FALSE(m.vertices[4].selected);
    // the current mesh was past the end and becomes the last mesh
    EXPECT_EQ(m.currentMesh, 1);
}

TEST(Structure, DeleteOnlyMeshAndBadIndices) {
    Model m;
    threeMeshes(m);
    deleteMesh(m, 7); // out of range: nothing happens
    deleteMesh(m, -1);
    EXPECT_EQ(meshCount(m), 3);
    deleteMesh(m, 0);
    deleteMesh(m, 0);
    deleteMesh(m, 0);
    EXPECT_EQ(meshCount(m), 0);
    EXPECT_EQ(vertexCount(m), 0);
    EXPECT_EQ(m.currentMesh, 0);
}

TEST(Structure, DeleteMeshReachingPastTheArray) {
    Model m;
    threeMeshes(m);
    m.meshes[2].triangleCount = 50; // claims more triangles than exist
    deleteMesh(m, 2);
    EXPECT_EQ(vertexCount(m), 9);
    EXPECT_EQ(meshCount(m), 2);
    // a mesh starting past the array removes no vertices
    m.meshes[1].firstVertex = 30;
    deleteMesh(m, 1);
    EXPECT_EQ(vertexCount(m), 9);
    EXPECT_EQ(meshCount(m), 1);
}

namespace {
void expectCorner(const Vertex& v, float x, float u) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.textureX, u);
}
} // namespace

TEST(Structure, InvertSwapsFirstTwoCorners) {
    // inverting mesh 1 swaps corners 0 and 1 of both its triangles, position and texture
    // coordinate, while colours and flags stay with their index; other meshes are untouched
    Model m;
    threeMeshes(m);
    for (int i = 0; i < 12; ++i) {
        m.vertices[i].textureX = 10.0f + static_cast<float>(i);
        m.vertices[i].colourRed = static_cast<float>(i);
    }
    m.vertices[3].selected = true;
    invertMesh(m, 1);
    expectCorner(m.vertices[3], 4, 14);
    expectCorner(m.vertices[4], 3, 13);
    expectCorner(m.vertices[5], 5, 15);
    expectCorner(m.vertices[6], 7, 17);
    expectCorner(m.vertices[7], 6, 16);
    EXPECT_EQ(m.vertices[3].colourRed, 3);
    EXPECT_TRUE(m.vertices[3].selected);
    EXPECT_FALSE(m.vertices[4].selected);
    expectCorner(m.vertices[0], 0, 10);
    expectCorner(m.vertices[9], 9, 19);
    // the pass ran: the normals follow the reversed winding
    EXPECT_FALSE(m.vertices[3].normalDirty);
    const float before = m.vertices[0].normalZ;
    invertTriangle(m, 0);
    EXPECT_EQ(m.vertices[0].normalZ, -before);
    expectCorner(m.vertices[0], 1, 11);
    expectCorner(m.vertices[1], 0, 10);
    // twice restores the triangle
    invertTriangle(m, 0);
    expectCorner(m.vertices[0], 0, 10);
    EXPECT_EQ(m.vertices[0].normalZ, before);
}

TEST(Structure, InvertOutOfRange) {
    Model m;
    threeMeshes(m);
    // bad mesh indices, a triangle start off the grid or outside the array: nothing happens
    invertMesh(m, -1);
    invertMesh(m, 3);
    invertTriangle(m, -3);
    invertTriangle(m, 1);
    invertTriangle(m, 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(m.vertices[i].x, static_cast<float>(i));
    // a mesh claiming triangles past the array inverts only those inside it
    m.meshes[2].triangleCount = 9;
    invertMesh(m, 2);
    EXPECT_EQ(m.vertices[9].x, 10);
    EXPECT_EQ(m.vertices[10].x, 9);
    // a mesh starting past the array, and an empty model
    m.meshes[2].firstVertex = 30;
    invertMesh(m, 2);
    EXPECT_EQ(m.vertices[9].x, 10);
    Model e;
    invertTriangle(e, 0);
    invertMesh(e, 0);
    EXPECT_EQ(vertexCount(e), 0);
}

namespace {
void namedMaterials(Model& m, int n) {
    m.materials.resize(n);
    for (int i = 0; i < n; ++i) m.materials[i].name = "mat" + std::to_string(i);
}

const char* const kLastTriangle = "You are attempting to delete the last triangle in your Model.  "
                                  "You must have at least one Mesh with one Triangle.";
} // namespace

TEST(Structure, DeleteTriangles) {
    Model m;
    namedMaterials(m, 2);
    addMesh(m, 2);
    addMesh(m, 1, 1);
    addMesh(m, 2);
    m.meshes[2].smooth = true;
    m.vertices[12].selected = m.vertices[12].locked = true;

    // a triangle of a two-triangle mesh: the tail moves down 3, later meshes follow, shifted
    // vertices keep selection and lock
    deleteTriangle(m, 3);
    ASSERT_EQ(vertexCount(m), 12);
    EXPECT_EQ(m.meshes[0].triangleCount, 1);
    EXPECT_EQ(m.meshes[1].firstVertex, 3);
    EXPECT_EQ(m.meshes[2].firstVertex, 6);
    EXPECT_EQ(m.vertices[3].x, 6);
    EXPECT_TRUE(m.vertices[9].selected && m.vertices[9].locked);

    // the only triangle of the middle mesh removes the mesh; the next keeps its smooth flag and
    // material, and the current mesh keeps naming it
    m.currentMesh = 2;
    deleteTriangle(m, 3);
    ASSERT_EQ(meshCount(m), 2);
    EXPECT_EQ(m.meshes[1].firstVertex, 3);
    EXPECT_TRUE(m.meshes[1].smooth);
    EXPECT_EQ(m.meshes[1].MaterialNumber, 0);
    EXPECT_EQ(m.currentMesh, 1);

    // off the grid, outside the array, empty model: nothing
    deleteTriangle(m, 1);
    deleteTriangle(m, 9);
    deleteTriangle(m, -3);
    EXPECT_EQ(vertexCount(m), 9);
    Model e;
    deleteTriangle(e, 0);
    EXPECT_EQ(vertexCount(e), 0);
}

TEST(Structure, DeleteSelectedTriangles) {
    // every triangle of a two-triangle model selected: one goes, the other stays, with the notice
    Model m;
    addMesh(m, 2);
    selectTriangle(m, 0);
    selectTriangle(m, 3);
    EditResult r = deleteSelectedTriangles(m);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(r.caption, "Notification!");
    EXPECT_EQ(r.text, kLastTriangle);
    EXPECT_EQ(triangleCount(m), 1);
    EXPECT_EQ(m.vertices[0].x, 3);
    // the last triangle alone: nothing but the notice
    r = deleteSelectedTriangles(m);
    EXPECT_FALSE(r.changed);
    EXPECT_TRUE(r.hasMessage());
    EXPECT_EQ(triangleCount(m), 1);

    // one of two selected: removed without a message; a locked corner protects a triangle
    Model n;
    addMesh(n, 3);
    selectTriangle(n, 3);
    selectTriangle(n, 6);
    n.vertices[7].locked = true;
    r = deleteSelectedTriangles(n);
    EXPECT_FALSE(r.hasMessage());
    EXPECT_EQ(triangleCount(n), 2);
    EXPECT_EQ(n.meshes[0].triangleCount, 2);
    EXPECT_EQ(n.vertices[3].x, 6);

    // selected triangles across meshes, the first a one-triangle mesh: all go in one call
    Model k;
    addMesh(k, 1);
    addMesh(k, 2);
    addMesh(k, 2);
    for (int t : {0, 3, 12}) selectTriangle(k, t);
    deleteSelectedTriangles(k);
    ASSERT_EQ(meshCount(k), 2);
    EXPECT_EQ(k.meshes[0].firstVertex, 0);
    EXPECT_EQ(k.meshes[0].triangleCount, 1);
    EXPECT_EQ(k.meshes[1].firstVertex, 3);
    EXPECT_EQ(k.meshes[1].triangleCount, 1);
    EXPECT_EQ(k.vertices[0].x, 6);
    EXPECT_EQ(k.vertices[3].x, 9);

    // nothing selected, empty model: nothing
    Model e;
    EXPECT_FALSE(deleteSelectedTriangles(e).changed);
    EXPECT_FALSE(deleteSelectedTriangles(k).changed);
}

TEST(Structure, SplitSelection) {
    // two triangles of the middle mesh go to a new last mesh with material 0
    Model m;
    namedMaterials(m, 2);
    addMesh(m, 1);
    addMesh(m, 3, 1);
    addMesh(m, 1);
    for (int t : {3, 9}) selectTriangle(m, t);
    m.vertices[4].colourRed = 0.25f;
    m.currentMesh = 2;
    EditResult r = splitSelectionToNewMesh(m);
    EXPECT_TRUE(r.changed);
    EXPECT_FALSE(r.hasMessage());
    ASSERT_EQ(meshCount(m), 4);
    EXPECT_EQ(vertexCount(m), 15);
    EXPECT_EQ(m.meshes[1].triangleCount, 1);
    EXPECT_EQ(m.meshes[2].firstVertex, 6);
    EXPECT_EQ(m.meshes[3].firstVertex, 9);
    EXPECT_EQ(m.meshes[3].triangleCount, 2);
    EXPECT_EQ(m.meshes[3].MaterialNumber, 0);
    // the copies come in order, keep colour and are not selected; the current mesh is the same
    EXPECT_EQ(m.vertices[9].x, 3);
    EXPECT_EQ(m.vertices[12].x, 9);
    EXPECT_EQ(m.vertices[10].colourRed, 0.25f);
    EXPECT_FALSE(m.vertices[9].selected);
    EXPECT_EQ(m.currentMesh, 2);

    // a selected triangle with a locked corner is not split; none selected gives the message
    Model n;
    addMesh(n, 2);
    selectTriangle(n, 0);
    n.vertices[2].locked = true;
    r = splitSelectionToNewMesh(n);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.caption, "Split Triangles to New Mesh");
    EXPECT_EQ(r.text, "You must select at least one triangle!");
    EXPECT_EQ(meshCount(n), 1);

    // triangles outside every mesh make the first mesh; a model without materials gets one
    Model e;
    e.vertices.resize(3);
    e.vertices[1].x = e.vertices[2].y = 1;
    selectTriangle(e, 0);
    splitSelectionToNewMesh(e);
    ASSERT_EQ(meshCount(e), 1);
    EXPECT_EQ(e.meshes[0].triangleCount, 1);
    EXPECT_EQ(vertexCount(e), 3);
    ASSERT_EQ(materialCount(e), 1);
}

TEST(Structure, CombineSelectedMeshes) {
    // meshes of 3 and 4 triangles become one of 7 at the end, with the first one's material
    Model m;
    namedMaterials(m, 3);
    addMesh(m, 3, 2);
    addMesh(m, 1, 0);
    addMesh(m, 4, 1);
    for (int i = 0; i < 9; ++i) m.vertices[i].selected = true;
    for (int i = 12; i < 24; ++i) m.vertices[i].selected = true;
    m.vertices[13].locked = true;
    m.meshes[0].smooth = true;
    EditResult r = combineSelectedMeshes(m);
    EXPECT_TRUE(r.changed);
    ASSERT_EQ(meshCount(m), 2);
    EXPECT_EQ(vertexCount(m), 24);
    EXPECT_EQ(m.meshes[0].triangleCount, 1);
    EXPECT_EQ(m.meshes[1].firstVertex, 3);
    EXPECT_EQ(m.meshes[1].triangleCount, 7);
    EXPECT_EQ(m.meshes[1].MaterialNumber, 2);
    EXPECT_FALSE(m.meshes[1].smooth);
    EXPECT_EQ(m.currentMesh, 1);
    // first mesh's corners first, then the other's; locks kept, nothing selected
    EXPECT_EQ(m.vertices[3].x, 0);
    EXPECT_EQ(m.vertices[12].x, 12);
    EXPECT_TRUE(m.vertices[13].locked);
    for (const Vertex& v : m.vertices) EXPECT_FALSE(v.selected);

    // one selected mesh: the message and no change
    r = combineSelectedMeshes(m);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.caption, "Mesh Combine Failed");
    EXPECT_EQ(r.text, "You must have at least two meshes selected!");
    EXPECT_EQ(meshCount(m), 2);
}

TEST(Structure, DuplicateMesh) {
    Model m;
    namedMaterials(m, 2);
    addMesh(m, 1);
    addMesh(m, 2, 1);
    m.meshes[1].locked = m.meshes[1].smooth = true;
    m.vertices[4].locked = true;
    m.vertices[4].textureX = 0.5f;
    duplicateMesh(m, 1);
    ASSERT_EQ(meshCount(m), 3);
    EXPECT_EQ(vertexCount(m), 15);
    const Mesh& copy = m.meshes[2];
    EXPECT_EQ(copy.firstVertex, 9);
    EXPECT_EQ(copy.triangleCount, 2);
    EXPECT_EQ(copy.MaterialNumber, 1);
    EXPECT_TRUE(copy.locked);
    EXPECT_FALSE(copy.smooth);
    EXPECT_EQ(m.currentMesh, 2);
    // 2 right, 2 down, 2 towards the Front viewer; texture and lock come along
    const Vertex& v = m.vertices[10];
    EXPECT_EQ(v.x, 6);
    EXPECT_EQ(v.y, m.vertices[4].y - 2);
    EXPECT_EQ(v.z, m.vertices[4].z + 2);
    EXPECT_EQ(v.textureX, 0.5f);
    EXPECT_TRUE(v.locked);
    // a bad index does nothing
    duplicateMesh(m, 3);
    duplicateMesh(m, -1);
    EXPECT_EQ(meshCount(m), 3);
}

TEST(Structure, DrawNewMesh) {
    // Front, dragged left to right and upwards: the table's corners, facing the viewer (+z)
    Model m;
    ASSERT_TRUE(drawNewMesh(m, 0, 0, 2, 1, PlaneFront));
    ASSERT_EQ(meshCount(m), 1); // the first mesh of an empty model
    ASSERT_EQ(vertexCount(m), 6);
    ASSERT_EQ(materialCount(m), 1);
    const float front[6][2] = {{0, 0}, {2, 0}, {2, 1}, {0, 0}, {2, 1}, {0, 1}};
    const float uv[6][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(m.vertices[i].x, front[i][0]);
        EXPECT_EQ(m.vertices[i].y, front[i][1]);
        EXPECT_EQ(m.vertices[i].textureX, uv[i][0]);
        EXPECT_EQ(m.vertices[i].textureY, uv[i][1]);
        EXPECT_TRUE(m.vertices[i].selected);
    }
    EXPECT_GT(m.vertices[0].normalZ, 0);

    // right to left reverses the winding; the older mesh is deselected and the new one current
    ASSERT_TRUE(drawNewMesh(m, 2, 0, 0, 1, PlaneFront));
    EXPECT_LT(m.vertices[6].normalZ, 0);
    EXPECT_FALSE(m.vertices[0].selected);
    EXPECT_EQ(m.meshes[1].firstVertex, 6);
    EXPECT_EQ(m.currentMesh, 1);
    // both corners swapped is a half turn: the winding stays
    ASSERT_TRUE(drawNewMesh(m, 2, 1, 0, 0, PlaneFront));
    EXPECT_GT(m.vertices[12].normalZ, 0);

    // Top: (h1, 0, -w2), (h2, 0, -w2), (h2, 0, -w1), ...; Left: (0, w1, h1), (0, w1, h2), ...
    ASSERT_TRUE(drawNewMesh(m, 0, 0, 2, 1, PlaneTop));
    EXPECT_EQ(m.vertices[18].z, -1);
    EXPECT_EQ(m.vertices[19].x, 2);
    EXPECT_EQ(m.vertices[20].z, 0);
    EXPECT_EQ(m.vertices[23].z, 0);
    EXPECT_EQ(m.vertices[18].y, 0);
    ASSERT_TRUE(drawNewMesh(m, 0, 0, 2, 1, PlaneLeft));
    EXPECT_EQ(m.vertices[25].z, 2);
    EXPECT_EQ(m.vertices[26].y, 1);
    EXPECT_EQ(m.vertices[24].x, 0);
    EXPECT_LT(m.vertices[24].normalX, 0);

    // no area, not finite, unknown plane: nothing
    EXPECT_FALSE(drawNewMesh(m, 1, 0, 1, 5, PlaneFront));
    EXPECT_FALSE(drawNewMesh(m, 0, 0, std::nanf(""), 1, PlaneFront));
    EXPECT_FALSE(drawNewMesh(m, 0, 0, 1, 1, static_cast<Plane>(3)));
    EXPECT_EQ(meshCount(m), 5);
}

TEST(Structure, BrokenLayoutsAreRepaired) {
    // a mesh claiming triangles past the array, one starting past it, a trailing partial
    // triangle: the new mesh starts on a triangle boundary and no mesh points outside
    Model m;
    addMesh(m, 2);
    addMesh(m, 1);
    m.meshes[1].triangleCount = 40;
    Mesh stray;
    stray.firstVertex = 60, stray.triangleCount = 2;
    m.meshes.push_back(stray);
    m.vertices.emplace_back();
    duplicateMesh(m, 0);
    ASSERT_EQ(vertexCount(m), 15);
    EXPECT_EQ(m.meshes[1].triangleCount, 1);
    EXPECT_EQ(m.meshes[2].firstVertex, 9);
    EXPECT_EQ(m.meshes[2].triangleCount, 0);
    EXPECT_EQ(m.meshes[3].firstVertex, 9);
    EXPECT_EQ(m.vertices[9].x, 2);
    for (const Mesh& k : m.meshes) EXPECT_LE(k.firstVertex + 3 * k.triangleCount, vertexCount(m));
    // a mesh naming a missing material makes its copy name an existing one
    m.meshes[0].MaterialNumber = 7;
    duplicateMesh(m, 0);
    EXPECT_EQ(m.meshes.back().MaterialNumber, 0);
    EXPECT_EQ(materialCount(m), 1);
}

namespace {
// Materials mat0..mat(n-1), material i naming texture i % textures.
void materialsWithTextures(Model& m, int n, int textures) {
    namedMaterials(m, n);
    m.textures.resize(textures);
    for (int j = 0; j < textures; ++j) m.textures[j].fileName = "tex" + std::to_string(j);
    for (int i = 0; i < n; ++i) m.materials[i].TextureIndex = i % textures;
}
} // namespace

TEST(Materials, DeleteMaterial) {
    // deleting material 1 of 3: the former material 2 is at 1 with its name and texture, meshes
    // follow it, and the users of material 1 take the one now at 1
    Model m;
    materialsWithTextures(m, 3, 3);
    for (int k : {0, 1, 2}) addMesh(m, 1, k);
    m.currentMaterial = 0;
    ASSERT_TRUE(deleteMaterial(m, 1));
    ASSERT_EQ(materialCount(m), 2);
    EXPECT_EQ(m.materials[1].name, "mat2");
    EXPECT_EQ(m.materials[1].TextureIndex, 2);
    EXPECT_EQ(m.meshes[0].MaterialNumber, 0);
    EXPECT_EQ(m.meshes[1].MaterialNumber, 1);
    EXPECT_EQ(m.meshes[2].MaterialNumber, 1);
    EXPECT_EQ(m.currentMaterial, 1);
    // deleting the last material moves its users to the new last one
    ASSERT_TRUE(deleteMaterial(m, 1));
    for (const Mesh& k : m.meshes) EXPECT_EQ(k.MaterialNumber, 0);
    // the last material stays; bad indices do nothing
    EXPECT_FALSE(deleteMaterial(m, 0));
    EXPECT_FALSE(deleteMaterial(m, 5));
    EXPECT_EQ(materialCount(m), 1);
}

TEST(Materials, DeleteTextureAndStrip) {
    // strip removes the unused materials 0 and 1, then the textures no material names
    Model m;
    materialsWithTextures(m, 4, 4);
    addMesh(m, 1, 2);
    addMesh(m, 1, 3);
    m.materials[3].TextureIndex = 2;
    stripUnusedMaterialsAndTextures(m);
    ASSERT_EQ(materialCount(m), 2);
    EXPECT_EQ(m.materials[0].name, "mat2");
    EXPECT_EQ(m.meshes[0].MaterialNumber, 0);
    EXPECT_EQ(m.meshes[1].MaterialNumber, 1);
    ASSERT_EQ(textureCount(m), 1);
    EXPECT_EQ(m.textures[0].fileName, "tex2");
    EXPECT_EQ(m.materials[0].TextureIndex, 0);
    EXPECT_EQ(m.materials[1].TextureIndex, 0);

    // deleting a texture in use leaves its materials with no texture, not a neighbour's; an
    // index already past the list moves down with the rest and still names none
    Model n;
    materialsWithTextures(n, 3, 3);
    n.materials[2].TextureIndex = 9;
    ASSERT_TRUE(deleteTexture(n, 0));
    EXPECT_EQ(n.materials[0].TextureIndex, kNoTexture);
    EXPECT_EQ(n.materials[1].TextureIndex, 0);
    EXPECT_EQ(n.materials[2].TextureIndex, 8);
    EXPECT_FALSE(deleteTexture(n, 2));

    // a model without meshes keeps one material
    Model e;
    materialsWithTextures(e, 3, 1);
    stripUnusedMaterialsAndTextures(e);
    ASSERT_EQ(materialCount(e), 1);
    EXPECT_EQ(e.materials[0].name, "mat2");
    EXPECT_EQ(textureCount(e), 1);
    // nothing to strip: an index past the textures is not rewritten (the default model's
    // material names texture 0 of none)
    Model p;
    materialsWithTextures(p, 2, 1);
    addMesh(p, 1, 0);
    addMesh(p, 1, 1);
    p.materials[1].TextureIndex = 4;
    stripUnusedMaterialsAndTextures(p);
    EXPECT_EQ(materialCount(p), 2);
    EXPECT_EQ(p.materials[0].TextureIndex, 0);
    EXPECT_EQ(p.materials[1].TextureIndex, 4);
}

TEST(Materials, AppendAndCopy) {
    // append copies the current material and makes it current; a bad current copies the last
    Model m;
    materialsWithTextures(m, 2, 1);
    m.currentMaterial = 0;
    appendMaterial(m);
    ASSERT_EQ(materialCount(m), 3);
    EXPECT_EQ(m.materials[2].name, "mat0");
    EXPECT_EQ(m.currentMaterial, 2);
    m.currentMaterial = 40;
    appendMaterial(m);
    EXPECT_EQ(m.materials[3].name, "mat0");
    Model e;
    appendMaterial(e);
    EXPECT_EQ(materialCount(e), 1);
    EXPECT_EQ(e.currentMaterial, 0);

    // copy replaces materials, textures and current material; meshes past the new list are
    // pulled into it, and the vertices stay
    Model d;
    addMesh(d, 1, 3);
    addMesh(d, 1, 0);
    m.currentMaterial = 1;
    copyMaterialsAndTextures(m, d);
    ASSERT_EQ(materialCount(d), 4);
    EXPECT_EQ(d.materials[3].name, "mat0");
    EXPECT_EQ(d.textures[0].fileName, "tex0");
    EXPECT_EQ(d.currentMaterial, 1);
    EXPECT_EQ(d.meshes[0].MaterialNumber, 3);
    Model small;
    materialsWithTextures(small, 2, 1);
    copyMaterialsAndTextures(small, d);
    EXPECT_EQ(d.meshes[0].MaterialNumber, 1);
    EXPECT_EQ(d.meshes[1].MaterialNumber, 0);
    EXPECT_EQ(vertexCount(d), 6);
}
