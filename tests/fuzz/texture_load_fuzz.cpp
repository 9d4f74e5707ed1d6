// Fuzz target: reading texture images within the budgets of a load, as a hostile model file and
// its images could drive it: declared image sizes, the memory left, the remote time left, remote
// fetching on or off, and a decoder that runs out of memory past a limit. Nothing may be decoded
// past the memory left, nothing fetched when fetching is off or the time is spent, and running
// out of memory is a failed image, never a crash.
#include "app/textures.h"
#include "base/clock.h"
#include "fuzz_support.h"
#include "platform/fake_platform.h"

#include <new>

namespace {

// Images of the declared size in one colour; decoding more than limitBytes runs out of memory.
struct DeclaringPlatform : FakePlatform {
    int declaredWidth = 0, declaredHeight = 0;
    long long limitBytes = 0;
    const TextureBudget* budget = nullptr;
    int decodes = 0, gets = 0;

    bool imageSize(const std::string&, int& w, int& h) override {
        w = declaredWidth, h = declaredHeight;
        return true;
    }
    bool imageDataSize(const std::string&, int& w, int& h) override {
        return imageSize(std::string(), w, h);
    }
    bool decodeImage(const std::string&, int w, int h, RgbaImage& out) override {
        ++decodes;
        FUZZ_CHECK(w > 0 && h > 0 && 4LL * w * h <= budget->bytesLeft);
        if (4LL * w * h > limitBytes) throw std::bad_alloc();
        out.width = w, out.height = h;
        out.pixels.assign(static_cast<std::size_t>(4LL * w * h), 0x40);
        return true;
    }
    bool decodeImageData(const std::string&, int w, int h, RgbaImage& out) override {
        return decodeImage(std::string(), w, h, out);
    }
    bool httpGet(const std::string&, const std::string&, int timeoutMs,
                 std::string& body) override {
        ++gets;
        FUZZ_CHECK(budget->options.fetchRemote && timeoutMs > 0 &&
                   timeoutMs <= kRemoteTextureTimeoutMs);
        FUZZ_CHECK(budget->remoteDeadlineMs >= clockMs() + timeoutMs - 1);
        body = "image";
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Bytes in{data, size};
    DeclaringPlatform platform;
    TextureBudget budget;
    platform.budget = &budget;
    budget.bytesLeft = static_cast<long long>(in.int32() & 0x0FFFFFFF); // up to 256 MB
    platform.limitBytes = static_cast<long long>(in.int32() & 0x0FFFFFFF);
    const uint8_t flags = in.byte();
    budget.options.fetchRemote = flags & 1;
    if (flags & 2) budget.remoteDeadlineMs = clockMs() - 1; // the remote time is spent
    const int maxSide = in.int32() & 0x3FFF;
    // Then images one after another: a declared size each, local or remote by a flag.
    for (int image = 0; image < 8 && !in.empty(); ++image) {
        platform.declaredWidth = in.int32();
        platform.declaredHeight = in.int32();
        const bool remote = in.byte() & 1;
        const long long before = budget.bytesLeft;
        const int decodes = platform.decodes, gets = platform.gets;
        RgbaImage out;
        const bool ok =
            readTextureImage(platform, remote ? "http://h/x.png" : "x.png", maxSide, out, &budget);
        if (ok) {
            FUZZ_CHECK(budget.skip == TextureBudget::Skip::None);
            FUZZ_CHECK(budget.bytesLeft == before - 4LL * out.width * out.height);
            FUZZ_CHECK(budget.bytesLeft >= 0);
        } else {
            FUZZ_CHECK(budget.bytesLeft == before);
            if (budget.skip != TextureBudget::Skip::None) FUZZ_CHECK(platform.decodes == decodes);
            if (budget.skip == TextureBudget::Skip::NotFetched ||
                budget.skip == TextureBudget::Skip::Time)
                FUZZ_CHECK(platform.gets == gets);
        }
    }
    return 0;
}
