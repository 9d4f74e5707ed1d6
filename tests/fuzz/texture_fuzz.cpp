// Fuzz target: the rules that turn a decoded image into a texture raster: the texture size for
// any declared image size and maximum side, the black colour key over the pixels, and where a
// texture name is read from. Image decoding itself belongs to the platform and is not fuzzed here.
#include "base/paths.h"
#include "fuzz_support.h"
#include "model/texture_rules.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Bytes in{data, size};
    const int32_t imageWidth = in.int32(), imageHeight = in.int32(), maxSide = in.int32();
    int width = -1, height = -1;
    if (textureSize(imageWidth, imageHeight, maxSide, width, height)) {
        FUZZ_CHECK(imageWidth > 0 && imageHeight > 0 && maxSide > 0);
        FUZZ_CHECK(width > 0 && height > 0 && width <= maxSide && height <= maxSide);
        FUZZ_CHECK(static_cast<long long>(width) * height <= kTexturePixelLimit);
    } else {
        FUZZ_CHECK(imageWidth <= 0 || imageHeight <= 0 || maxSide <= 0);
        FUZZ_CHECK(width == -1 && height == -1);
    }

    // The rest of the input is RGBA pixels, keyed in place; then it is a texture name.
    std::vector<uint8_t> pixels(in.data, in.data + in.size / 4 * 4);
    applyBlackColourKey(pixels.data(), pixels.size() / 4);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        FUZZ_CHECK(pixels[i] == in.data[i] && pixels[i + 1] == in.data[i + 1] &&
                   pixels[i + 2] == in.data[i + 2]);
        const bool black = (pixels[i] | pixels[i + 1] | pixels[i + 2]) == 0;
        FUZZ_CHECK(pixels[i + 3] == (black ? 0 : 255));
    }
    const std::string name(reinterpret_cast<const char*>(in.data), in.size);
    const std::string path = texturePath(name, "/models\\a");
    if (isRemoteTextureName(name))
        FUZZ_CHECK(path == name);
    else if (!name.empty() && (name[0] == '/' || name[0] == '\\'))
        FUZZ_CHECK(path == toSlashes(name)); // an absolute name stands on its own
    else
        FUZZ_CHECK(path.compare(0, 10, "/models/a/") == 0 && path.find('\\') == std::string::npos);
    return 0;
}
