// Textures of a model: images decoded by the platform, turned into OpenGL texture objects.
#include "app/textures.h"

#include "base/clock.h"
#include "base/paths.h"
#include "model/texture_rules.h"
#include "model/texture_upload.h"

#include <algorithm>
#include <new>

namespace {

// The time a remote fetch may still take, starting the load's clock at the first one; 0 when the
// time is spent or remote textures are not fetched (budget->skip then says which).
int remoteTimeLeft(TextureBudget* budget) {
    if (!budget) return kRemoteTextureTimeoutMs;
    if (!budget->options.fetchRemote) {
        budget->skip = TextureBudget::Skip::NotFetched;
        return 0;
    }
    const int64_t now = clockMs();
    if (budget->remoteDeadlineMs < 0)
        budget->remoteDeadlineMs = now + budget->options.remoteBudgetMs;
    const int64_t left = budget->remoteDeadlineMs - now;
    if (left <= 0) {
        budget->skip = TextureBudget::Skip::Time;
        return 0;
    }
    return static_cast<int>(std::min<int64_t>(left, kRemoteTextureTimeoutMs));
}

// Whether a texture of width x height fits what is left of the memory budget.
bool fitsBudget(TextureBudget* budget, int width, int height) {
    if (!budget || 4LL * width * height <= budget->bytesLeft) return true;
    budget->skip = TextureBudget::Skip::Memory;
    return false;
}

// A local image file decoded at its texture size, when that fits the budget.
bool readImageFileWithin(Platform& platform, const std::string& path, int maxSide, RgbaImage& out,
                         int& imageWidth, int& imageHeight, TextureBudget* budget) {
    int width = 0, height = 0;
    return platform.imageSize(path, imageWidth, imageHeight) &&
           textureSize(imageWidth, imageHeight, maxSide, width, height) &&
           fitsBudget(budget, width, height) && platform.decodeImage(path, width, height, out) &&
           out.width == width && out.height == height;
}

bool readImageWithin(Platform& platform, const std::string& fileName, int maxSide, RgbaImage& out,
                     TextureBudget* budget) {
    const std::string path = texturePath(fileName, currentDirectory());
    int imageWidth = 0, imageHeight = 0, width = 0, height = 0;
    bool decoded = false;
    if (isRemoteTextureName(path)) {
        const int timeoutMs = remoteTimeLeft(budget);
        std::string bytes;
        if (timeoutMs <= 0 || !platform.httpGet(path, std::string(), timeoutMs, bytes) ||
            bytes.size() > kRemoteTextureBytesLimit)
            return false;
        decoded = platform.imageDataSize(bytes, imageWidth, imageHeight) &&
                  textureSize(imageWidth, imageHeight, maxSide, width, height) &&
                  fitsBudget(budget, width, height) &&
                  platform.decodeImageData(bytes, width, height, out);
    } else {
        decoded =
            readImageFileWithin(platform, path, maxSide, out, imageWidth, imageHeight, budget);
        width = out.width, height = out.height;
    }
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    if (!decoded || out.width != width || out.height != height ||
        out.pixels.size() != pixelCount * 4)
        return false;
    applyBlackColourKey(out.pixels.data(), pixelCount);
    if (budget) budget->bytesLeft -= 4LL * width * height;
    return true;
}

} // namespace

bool readImageFile(Platform& platform, const std::string& path, int maxSide, RgbaImage& out,
                   int& imageWidth, int& imageHeight) {
    return readImageFileWithin(platform, path, maxSide, out, imageWidth, imageHeight, nullptr);
}

bool readTextureImage(Platform& platform, const std::string& fileName, int maxSide, RgbaImage& out,
                      TextureBudget* budget) {
    if (budget) budget->skip = TextureBudget::Skip::None;
    try {
        return readImageWithin(platform, fileName, maxSide, out, budget);
    } catch (const std::bad_alloc&) {
        out = RgbaImage();
        return false;
    }
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

namespace {

// createTexture spending from a budget.
bool createTextureWithin(Platform& platform, Model& model, int textureIndex,
                         TextureBudget* budget) {
    if (budget) budget->skip = TextureBudget::Skip::None;
    if (textureIndex < 0 || textureIndex >= textureCount(model)) return false;
    const int maxSide = maxTextureSide();
    RgbaImage image;
    if (maxSide <= 0 ||
        !readTextureImage(platform, model.textures[textureIndex].fileName, maxSide, image, budget))
        return false;
    const std::uint32_t name = uploadTexture(image.pixels.data(), image.width, image.height);
    if (name == 0) return false;
    model.textures[textureIndex].glTexture = name;
    return true;
}

} // namespace

bool createTexture(Platform& platform, Model& model, int textureIndex) {
    return createTextureWithin(platform, model, textureIndex, nullptr);
}

namespace {

// The log line of a texture that did not load: why it was skipped, or that it cannot be loaded.
std::string textureProblemLine(const TextureBudget& budget, int index, const std::string& name) {
    std::string why;
    switch (budget.skip) {
    case TextureBudget::Skip::Memory:
        why = "the model's textures would pass " +
              std::to_string(budget.options.budgetBytes >> 20) + " MB";
        break;
    case TextureBudget::Skip::Time:
        why = "remote textures had their " + std::to_string(budget.options.remoteBudgetMs) + " ms";
        break;
    case TextureBudget::Skip::NotFetched:
        why = "remote textures are not fetched";
        break;
    case TextureBudget::Skip::None:
        return missingTextureLine(index, name);
    }
    return "WARNING: Texture " + std::to_string(index) + " skipped (" + why + "): " + name;
}

// Runs load with folder (unless empty) as the current directory, which relative texture names
// are read from, and puts the current directory back.
template <class Load> auto inFolder(const std::string& folder, Load load) {
    const std::string directory = currentDirectory();
    if (!folder.empty()) setCurrentDirectory(folder);
    auto result = load();
    setCurrentDirectory(directory);
    return result;
}

// A texture that does not load is named in the log, never dropped silently.
std::vector<std::string> loadTexturesFrom(Platform& platform, Model& model, int first,
                                          const TextureLoadOptions& options) {
    TextureBudget budget;
    budget.options = options;
    budget.bytesLeft = options.budgetBytes;
    first = first < 0 ? 0 : first;
    for (int i = 0; i < first && i < textureCount(model); ++i)
        budget.bytesLeft -= textureMemoryBytes(model.textures[i].glTexture);
    std::vector<std::string> lines;
    for (int i = first; i < textureCount(model); ++i)
        if (!createTextureWithin(platform, model, i, &budget)) {
            lines.push_back(textureProblemLine(budget, i, model.textures[i].fileName));
            logEntry(model.log, lines.back());
        }
    return lines;
}

} // namespace

std::vector<std::string> loadAllTextures(Platform& platform, Model& model,
                                         const TextureLoadOptions& options) {
    return loadTexturesFrom(platform, model, 0, options);
}

std::vector<std::string> loadTexturesInFolder(Platform& platform, Model& model, int first,
                                              const std::string& folder) {
    return inFolder(folder, [&] { return loadTexturesFrom(platform, model, first, {}); });
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
    texture.fileName = textureRecordName(chosen, model.textureFolder);
    model.textures.push_back(texture);
    // The dialog has made the chosen file's folder the current directory; a name kept relative to
    // the model's folder loads from there.
    return inFolder(model.textureFolder,
                    [&] { return createTexture(platform, model, textureCount(model) - 1); });
}
