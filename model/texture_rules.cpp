// Texture rules without OpenGL: texture sizes, the black colour key and where images come from.
#include "model/texture_rules.h"

#include "base/paths.h"

#include <cmath>
#include <filesystem>

int textureSide(int n, int maxSide) {
    if (n <= 0 || maxSide <= 0) return 0;
    if (n > maxSide) return maxSide;
    const double exponent = std::floor(std::log(static_cast<double>(n)) / 0.6931471805599453 + 0.5);
    const long long side = 1LL << static_cast<int>(exponent);
    // Rounding up past a maximum that is not itself a power of two would be refused by OpenGL.
    return side > maxSide ? maxSide : static_cast<int>(side);
}

bool textureSize(int imageWidth, int imageHeight, int maxSide, int& width, int& height) {
    int w = textureSide(imageWidth, maxSide);
    int h = textureSide(imageHeight, maxSide);
    if (w == 0 || h == 0) return false;
    while (static_cast<long long>(w) * h > kTexturePixelLimit) {
        if (w >= h)
            w = w / 2 > 0 ? w / 2 : 1;
        else
            h = h / 2 > 0 ? h / 2 : 1;
    }
    width = w;
    height = h;
    return true;
}

void applyBlackColourKey(std::uint8_t* rgba, std::size_t pixelCount) {
    for (std::size_t i = 0; i < pixelCount; ++i, rgba += 4)
        rgba[3] = (rgba[0] | rgba[1] | rgba[2]) == 0 ? 0 : 255;
}

bool isRemoteTextureName(const std::string& fileName) {
    return fileName.find("http://") != std::string::npos;
}

namespace {

bool isAbsolutePath(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

std::filesystem::path normalFolder(const std::string& folder) {
    // "/a/b/." normalises to "/a/b/" whatever the trailing separators were.
    return (std::filesystem::path(toSlashes(folder)) / ".").lexically_normal();
}

} // namespace

std::string texturePath(const std::string& fileName, const std::string& directory) {
    if (isRemoteTextureName(fileName)) return fileName;
    const std::string name = toSlashes(fileName);
    if (isAbsolutePath(name)) return name;
    std::string path = toSlashes(directory);
    if (path.empty() || path.back() != '/') path += '/';
    return path + name;
}

std::string rebasedTextureName(const std::string& fileName, const std::string& from,
                               const std::string& to) {
    const std::string name = toSlashes(fileName);
    if (isRemoteTextureName(name) || isAbsolutePath(name) || !isAbsolutePath(from)) return fileName;
    const std::filesystem::path source = normalFolder(from);
    if (isAbsolutePath(to) && source == normalFolder(to)) return fileName;
    const std::filesystem::path image = (source / name).lexically_normal();
    if (!isAbsolutePath(to)) return image.generic_string();
    // Within the folder tree both sit in, ".." climbs to the common folder: never empty here.
    const std::string relative =
        image.lexically_relative(normalFolder(to).parent_path()).generic_string();
    if (relative.empty()) return image.generic_string();
    return relative.compare(0, 3, "../") == 0 ? relative : "./" + relative;
}

std::string textureRecordName(const std::string& chosenPath, const std::string& modelFolder) {
    const std::string bare = "./" + baseNameOf(toSlashes(chosenPath));
    if (modelFolder.empty()) return bare;
    return rebasedTextureName(bare, folderOf(absolutePath(toSlashes(chosenPath))), modelFolder);
}

std::string missingTextureLine(int index, const std::string& fileName) {
    return "WARNING: Texture " + std::to_string(index) + " cannot be loaded: " + fileName;
}
