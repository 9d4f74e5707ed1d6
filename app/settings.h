// The settings that survive a restart: reading them at start-up, writing them at shutdown.
#pragma once

#include "app/config.h"
#include "model/model.h"

#include <cstdint>

constexpr int kHintCount = 10;
constexpr int kCustomColourCount = 16;
constexpr int32_t kDefaultFramerate = 60;
constexpr int32_t kMinFramerate = 5;
constexpr int32_t kMaxFramerate = 500;
constexpr int32_t kMaxUndoCountLimit = 499;

// The undo option itself lives in the edit model (undoEnabled); everything else is here.
struct Settings {
    int32_t windowX = 0;
    int32_t windowY = 0;
    int32_t windowWidth = 800;
    int32_t windowHeight = 600;
    int32_t maxUndoCount = kConfigMissingInt; // as read, never clamped
    int32_t targetFramerate = kDefaultFramerate;
    bool showTexturePreview = true;
    bool onlyShowExtendedToolbars = true;
    bool deleteDefaultMeshOnStartup = true;
    bool enableUpdateChecking = true;
    int32_t offeredMajorVersion = kConfigMissingInt;
    int32_t offeredMinorVersion = kConfigMissingInt;
    int32_t offeredBuildNumber = kConfigMissingInt;
    float backgroundRed = 0.0f;
    float backgroundGreen = 0.0f;
    float backgroundBlue = 0.0f;
    bool showHint[kHintCount] = {true, true, true, true, true, true, true, true, true, true};
    // R | G << 8 | B << 16, the form the colour dialogs take.
    uint32_t customColour[kCustomColourCount] = {
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

// Every stored key, in the order the file is written.
enum class SettingKey : int {
    WindowX,
    WindowY,
    WindowWidth,
    WindowHeight,
    EnableUndo,
    MaxUndoCount,
    TargetFramerate,
    ShowTexturePreview,
    OnlyShowExtendedToolbars,
    DeleteDefaultMeshOnStartup,
    EnableUpdateChecking,
    OfferedMajorVersion,
    OfferedMinorVersion,
    OfferedBuildNumber,
    BackgroundR,
    BackgroundG,
    BackgroundB,
    ShowHint0,
    CustomColour00R = ShowHint0 + kHintCount,
    Count = CustomColour00R + 3 * kCustomColourCount,
};
static_assert(static_cast<int>(SettingKey::Count) == 75, "the file holds 75 keys");

// "WindowX", "CustomColour07G", ...
const char* settingKeyName(SettingKey key);
inline SettingKey hintKey(int hint) {
    return static_cast<SettingKey>(static_cast<int>(SettingKey::ShowHint0) + hint);
}
// component: 0 red, 1 green, 2 blue.
inline SettingKey customColourKey(int colour, int component) {
    return static_cast<SettingKey>(static_cast<int>(SettingKey::CustomColour00R) + 3 * colour +
                                   component);
}

// The four window keys, corrected: negative x or y -> 0, width below 400 -> 800, height below
// 300 -> 600.
void configReadWindowGeometry(const ConfigFile& config, Settings& settings);

// Sets the file name again (for the log), then reads the options, the background and the custom
// colours. A MaxUndoCount of 1..499 builds MaxUndoCount + 1 undo slots in the edit model and
// turns undo on and starts the program's log file afresh; any other value leaves no slots and
// undo off, whatever EnableUndo said.
void configReadAll(ConfigFile& config, Settings& settings, Model& editModel);

// ShowHint0..9; a missing key shows the hint.
void configReadHints(const ConfigFile& config, Settings& settings);

// Header and all 75 keys, put in place in one step; false (old file kept) when it fails.
bool configWriteAll(const ConfigFile& config, const Settings& settings, const Model& editModel);
