// Fuzz target: reading every setting from an arbitrary configuration file, as start-up does.
#include "app/settings.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::unique_ptr<Model> editModel = fuzz::quietModel();
    ConfigFile config;
    configSetFileName(config, fuzz::scratchFile(data, size)); // read into memory, as at start-up
    Settings settings;
    configReadWindowGeometry(config, settings);
    FUZZ_CHECK(settings.windowX >= 0 && settings.windowY >= 0);
    FUZZ_CHECK(settings.windowWidth >= 400 && settings.windowHeight >= 300);

    configReadAll(config, settings, *editModel);
    configReadHints(config, settings);
    FUZZ_CHECK(settings.targetFramerate >= kMinFramerate &&
               settings.targetFramerate <= kMaxFramerate);
    // The ring is either off and empty, or as long as the count read plus one.
    const std::size_t slots = editModel->undo.slots.size();
    if (editModel->undoEnabled)
        FUZZ_CHECK(slots >= 2 && slots <= kMaxUndoCountLimit + 1 &&
                   static_cast<int64_t>(slots) == int64_t{settings.maxUndoCount} + 1);
    else
        FUZZ_CHECK(slots == 0);
    std::string text = "unchanged";
    if (configReadText(config, "WindowX", text))
        FUZZ_CHECK(!text.empty() && text.find('\n') == std::string::npos);
    else
        FUZZ_CHECK(text == "unchanged");
    return 0;
}
