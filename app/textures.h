// Textures of a model: images decoded by the platform, turned into OpenGL texture objects.
#pragma once

#include "model/file_result.h"
#include "model/model.h"
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A remote image may take this long and be this large before it counts as missing.
constexpr int kRemoteTextureTimeoutMs = 4000;
constexpr std::size_t kRemoteTextureBytesLimit = 4u << 20;

// What the textures of one model may cost: pixel memory for all of them together (a file naming
// one huge image many times must not take the machine's memory), and wall-clock time for all the
// remote ones of one load. Textures past either limit are skipped and named in the log.
constexpr long long kTextureBudgetBytes = 256LL << 20;
constexpr int kRemoteTexturesBudgetMs = 3000;

struct TextureLoadOptions {
    bool fetchRemote = true; // false: remote textures are named, never fetched
    int remoteBudgetMs = kRemoteTexturesBudgetMs;
    long long budgetBytes = kTextureBudgetBytes;
};

// What is left of the budgets while one load runs; readTextureImage spends from it.
struct TextureBudget {
    long long bytesLeft = kTextureBudgetBytes; // set from the options by the load
    int64_t remoteDeadlineMs = -1; // clock time the remote fetches must end by; -1: none yet
    TextureLoadOptions options;
    // Why the last readTextureImage gave nothing; the log line's reason.
    enum class Skip { None, Memory, Time, NotFetched } skip = Skip::None;
};

// Makes the OpenGL texture of texture record textureIndex from its file name, resolved against
// the current directory (the model's folder after a load). False, with the record's GL texture
// unchanged, when the index is out of range, the image cannot be read or OpenGL refuses it.
// Needs the program's OpenGL context to be current.
bool createTexture(Platform& platform, Model& model, int textureIndex);

// createTexture for every texture record in index order, within one TextureBudget (less what
// the model's textures already hold); a failure leaves GL texture 0 and is logged with the
// texture's name and, for a skipped one, why. The lines logged come back.
std::vector<std::string> loadAllTextures(Platform& platform, Model& model,
                                         const TextureLoadOptions& options = {});

// The same for the records from index first on, with their names resolved against folder (the
// folder of a model file just imported); the current directory is the same afterwards.
std::vector<std::string> loadTexturesInFolder(Platform& platform, Model& model, int first,
                                              const std::string& folder);

// Texture records without an OpenGL texture: their images are missing or unreadable.
int missingTextureCount(const Model& model);

// Lets the user pick an image, appends a record named "./" and the image's bare name and makes
// its texture. The record stays even when the image cannot be loaded; the result says whether it
// could. A cancelled dialog changes nothing and gives false.
bool addTexture(Platform& platform, Model& model);

// The open dialog's type list.
FileDialogOptions textureDialogOptions();

// The image at path decoded at the texture size rule's size against maxSide; imageWidth and
// imageHeight give its own size.
bool readImageFile(Platform& platform, const std::string& path, int maxSide, RgbaImage& out,
                   int& imageWidth, int& imageHeight);

// What exporters embed: the image at a path at its own size (at most kMaxImageSide a side), black
// made transparent, encoded as PNG by the platform.
PngSource texturePngSource(Platform& platform);

// The pixels of the texture for a stored file name, as OpenGL takes them: sized by the texture
// size rule against maxSide, black made transparent, rows bottom to top. A name containing
// "http://" is fetched with one bounded GET and decoded from memory. With a budget the image is
// skipped (budget->skip says why) when its pixels would pass what is left, when the remote time
// is spent or when remote textures are not fetched; the GET waits no longer than the time left.
// Running out of memory is one more unreadable image.
bool readTextureImage(Platform& platform, const std::string& fileName, int maxSide, RgbaImage& out,
                      TextureBudget* budget = nullptr);
