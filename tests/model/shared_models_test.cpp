// Real OBJ models from the shared folder: triangle counts after fanning and the first triangle.
#include "model/obj_import.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

// ../shared/models beside the repository that holds this file.
std::string sharedModels() {
    std::string root = __FILE__;
    for (int i = 0; i < 3; ++i) root = root.substr(0, root.find_last_of('/'));
    return root + "/../shared/models/";
}

// The positions the first face names, read with the standard library as a second opinion.
std::vector<float> firstFacePositions(const std::string& path) {
    std::ifstream in(path);
    std::vector<float> positions, out;
    std::string line;
    std::string face;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        s.imbue(std::locale::classic());
        std::string word;
        s >> word;
        if (word == "v") {
            float x = 0, y = 0, z = 0;
            s >> x >> y >> z;
            positions.insert(positions.end(), {x, y, z});
        } else if (word == "f" && face.empty()) {
            face = line.substr(2);
        }
    }
    std::istringstream corners(face);
    std::string corner;
    for (int k = 0; k < 3 && corners >> corner; ++k) {
        const std::size_t index = std::stoul(corner.substr(0, corner.find('/'))) - 1;
        for (int a = 0; a < 3; ++a) out.push_back(positions.at(index * 3 + a));
    }
    return out;
}

TEST(SharedModels, ImportWithTheTriangleCountsOfTheirTable) {
    struct Expected {
        const char* file;
        int triangles;
    };
    // From the folder's README: plain faces, v/t, v//n quads, and polygons of up to six corners.
    const Expected models[] = {{"cow.obj", 5804},    {"spot.obj", 5856},   {"suzanne.obj", 968},
                               {"beast.obj", 64618}, {"teapot.obj", 6320}, {"homer.obj", 12000}};
    struct stat st {};
    if (::stat(sharedModels().c_str(), &st) != 0) GTEST_SKIP() << "no " << sharedModels();
    for (const Expected& e : models) {
        const std::string path = sharedModels() + e.file;
        Model m;
        const FileResult r = importObj(m, path);
        ASSERT_TRUE(r.ok) << e.file << ": " << r.error;
        EXPECT_EQ(triangleCount(m), e.triangles) << e.file;
        ASSERT_EQ(meshCount(m), 1) << e.file;
        EXPECT_EQ(m.meshes[0].triangleCount, e.triangles) << e.file;
        const std::vector<float> first = firstFacePositions(path);
        ASSERT_EQ(first.size(), 9u) << e.file;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(m.vertices[k].x, first[k * 3]) << e.file;
            EXPECT_EQ(m.vertices[k].y, first[k * 3 + 1]) << e.file;
            EXPECT_EQ(m.vertices[k].z, first[k * 3 + 2]) << e.file;
        }
    }
}

} // namespace
