// Textures of a model: images decoded by the platform, turned into OpenGL texture objects.
#include "app/textures.h"

#include "base/paths.h"
#include "model/texture_rules.h"
#include "model/texture_upload.h"

bool readTextureImage(Platform& platform, const std::string& fileName, int maxSide,
                      RgbaImage& out) {
    const std::string path = texturePath(fileName, currentDirectory());
    int imageWidth = 0, imageHeight = 0, width = 0, height = 0;
    bool decoded = false;
    if (isRemoteTextureName(path)) {
        std::string bytes;
        if (!platform.httpGet(path, std::string(), kRemoteTextureTimeoutMs, bytes) ||
            bytes.size() > kRemoteTextureBytesLimit)
            return false;
        decoded = platform.imageDataSize(bytes, imageWidth, imageHeight) &&
                  textureSize(imageWidth, imageHeight, maxSide, width, height) &&
                  platform.decodeImageData(bytes, width, height, out);
    } else {
        decoded = platform.imageSize(path, imageWidth, imageHeight) &&
                  textureSize(imageWidth, imageHeight, maxSide, width, height) &&
                  platform.decodeImage(path, width, height, out);
    }
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    if (!decoded || out.width != width || out.height != height ||
        out.pixels.size() != pixelCount * 4)
        return false;
    applyBlackColourKey(out.pixels.data(), pixelCount);
    return true;
}

PngSource texturePngSource(Platform& platform) {
    return [&platform](const std::string& path, std::string& png) {
        int width = 0, height = 0;
        RgbaImage image;
        if (!platform.imageSize(path, width, height) || width > kMaxImageSide ||
            height > kMaxImageSide || !platform.decodeImage(path, width, height, image) ||
            image.pixels.size() != static_cast<std::size_t>(width) * height * 4)
            return false;
        applyBlackColourKey(image.pixels.data(), static_cast<std::size_t>(width) * height);
        return platform.encodePng(image, png);
    };
}

bool createTexture(Platform& platform, Model& model, int textureIndex) {
    if (textureIndex < 0 || textureIndex >= textureCount(model)) return false;
    const int maxSide = maxTextureSide();
    RgbaImage image;
    if (maxSide <= 0 ||
        !readTextureImage(platform, model.textures[textureIndex].fileName, maxSide, image))
        return false;
    const std::uint32_t name = uploadTexture(image.pixels.data(), image.width, image.height);
    if (name == 0) return false;
    model.textures[textureIndex].glTexture = name;
    return true;
}

namespace {

// A texture that does not load is named in the log, never dropped silently.
void loadTexturesFrom(Platform& platform, Model& model, int first) {
    for (int i = first < 0 ? 0 : first; i < textureCount(model); ++i)
        if (!createTexture(platform, model, i))
            logEntry(model.log, missingTextureLine(i, model.textures[i].fileName));
}

} // namespace

void loadAllTextures(Platform& platform, Model& model) {
    loadTexturesFrom(platform, model, 0);
}

void loadTexturesInFolder(Platform& platform, Model& model, int first, const std::string& folder) {
    const std::string directory = currentDirectory();
    if (!folder.empty()) setCurrentDirectory(folder);
    loadTexturesFrom(platform, model, first);
    setCurrentDirectory(directory);
}

int missingTextureCount(const Model& model) {
    int missing = 0;
    for (const Texture& t : model.textures) missing += t.glTexture == 0 ? 1 : 0;
    return missing;
}

FileDialogOptions textureDialogOptions() {
    FileDialogOptions options;
    options.filters = {
        {"Supported Image Formats", "*.bmp;*.jpg;*.jpeg;*.png;*.gif;"},
        {"Bitmap File (Only 24bit Images are Supported)", "*.bmp;"},
        {"JPeg File", "*.jpg;*.jpeg;"},
    };
    return options;
}

bool addTexture(Platform& platform, Model& model) {
    const std::string chosen = platform.openFileDialog(textureDialogOptions());
    if (chosen.empty()) return false;
    Texture texture;
    texture.fileName = textureRecordName(chosen);
    model.textures.push_back(texture);
    // The dialog has made the chosen file's folder the current directory.
    return createTexture(platform, model, textureCount(model) - 1);
}
