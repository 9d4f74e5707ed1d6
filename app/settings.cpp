// Reading the stored settings at start-up with their corrections, and writing them all back.
#include "app/settings.h"

#include "edit/undo.h"

#include <cstddef>

namespace {

// clang-format off
const char* const kKeyNames[] = {
    "WindowX", "WindowY", "WindowWidth", "WindowHeight",
    "EnableUndo", "MaxUndoCount", "TargetFramerate",
    "ShowTexturePreview", "OnlyShowExtendedToolbars", "DeleteDefaultMeshOnStartup",
    "EnableUpdateChecking",
    "OfferedMajorVersion", "OfferedMinorVersion", "OfferedBuildNumber",
    "BackgroundR", "BackgroundG", "BackgroundB",
    "ShowHint0", "ShowHint1", "ShowHint2", "ShowHint3", "ShowHint4",
    "ShowHint5", "ShowHint6", "ShowHint7", "ShowHint8", "ShowHint9",
    "CustomColour00R", "CustomColour00G", "CustomColour00B",
    "CustomColour01R", "CustomColour01G", "CustomColour01B",
    "CustomColour02R", "CustomColour02G", "CustomColour02B",
    "CustomColour03R", "CustomColour03G", "CustomColour03B",
    "CustomColour04R", "CustomColour04G", "CustomColour04B",
    "CustomColour05R", "CustomColour05G", "CustomColour05B",
    "CustomColour06R", "CustomColour06G", "CustomColour06B",
    "CustomColour07R", "CustomColour07G", "CustomColour07B",
    "CustomColour08R", "CustomColour08G", "CustomColour08B",
    "CustomColour09R", "CustomColour09G", "CustomColour09B",
    "CustomColour10R", "CustomColour10G", "CustomColour10B",
    "CustomColour11R", "CustomColour11G", "CustomColour11B",
    "CustomColour12R", "CustomColour12G", "CustomColour12B",
    "CustomColour13R", "CustomColour13G", "CustomColour13B",
    "CustomColour14R", "CustomColour14G", "CustomColour14B",
    "CustomColour15R", "CustomColour15G", "CustomColour15B",
};
// clang-format on
static_assert(kMaxUndoCountLimit == kMaxUndoCount, "the settings accept what the ring builds");
static_assert(sizeof(kKeyNames) / sizeof(kKeyNames[0]) ==
                  static_cast<std::size_t>(SettingKey::Count),
              "one name per key");

int32_t readInt(const ConfigFile& config, SettingKey key) {
    return configReadInt(config, settingKeyName(key));
}
float readFloat(const ConfigFile& config, SettingKey key) {
    return configReadFloat(config, settingKeyName(key));
}
// Stored flags are on for any value but 0, so a missing key (-1) means on.
bool readFlag(const ConfigFile& config, SettingKey key) {
    return readInt(config, key) != 0;
}

bool inRange(SettingKey key, SettingKey first, int count) {
    const int k = static_cast<int>(key);
    const int f = static_cast<int>(first);
    return k >= f && k < f + count;
}

bool isFloatKey(SettingKey key) {
    return inRange(key, SettingKey::BackgroundR, 3);
}

float floatValue(const Settings& s, SettingKey key) {
    switch (key) {
    case SettingKey::BackgroundR:
        return s.backgroundRed;
    case SettingKey::BackgroundG:
        return s.backgroundGreen;
    default:
        return s.backgroundBlue;
    }
}

int32_t intValue(const Settings& s, const Model& editModel, SettingKey key) {
    switch (key) {
    case SettingKey::WindowX:
        return s.windowX;
    case SettingKey::WindowY:
        return s.windowY;
    case SettingKey::WindowWidth:
        return s.windowWidth;
    case SettingKey::WindowHeight:
        return s.windowHeight;
    case SettingKey::EnableUndo:
        return editModel.undoEnabled ? 1 : 0;
    case SettingKey::MaxUndoCount:
        return s.maxUndoCount;
    case SettingKey::TargetFramerate:
        return s.targetFramerate;
    case SettingKey::ShowTexturePreview:
        return s.showTexturePreview ? 1 : 0;
    case SettingKey::OnlyShowExtendedToolbars:
        return s.onlyShowExtendedToolbars ? 1 : 0;
    case SettingKey::DeleteDefaultMeshOnStartup:
        return s.deleteDefaultMeshOnStartup ? 1 : 0;
    case SettingKey::EnableUpdateChecking:
        return s.enableUpdateChecking ? 1 : 0;
    case SettingKey::OfferedMajorVersion:
        return s.offeredMajorVersion;
    case SettingKey::OfferedMinorVersion:
        return s.offeredMinorVersion;
    case SettingKey::OfferedBuildNumber:
        return s.offeredBuildNumber;
    default:
        break;
    }
    if (inRange(key, SettingKey::ShowHint0, kHintCount))
        return s.showHint[static_cast<int>(key) - static_cast<int>(SettingKey::ShowHint0)] ? 1 : 0;
    const int index = static_cast<int>(key) - static_cast<int>(SettingKey::CustomColour00R);
    return static_cast<int32_t>((s.customColour[index / 3] >> (8 * (index % 3))) & 0xFF);
}

} // namespace

const char* settingKeyName(SettingKey key) {
    return kKeyNames[static_cast<int>(key)];
}

void configReadWindowGeometry(const ConfigFile& config, Settings& s) {
    s.windowX = readInt(config, SettingKey::WindowX);
    s.windowY = readInt(config, SettingKey::WindowY);
    s.windowWidth = readInt(config, SettingKey::WindowWidth);
    s.windowHeight = readInt(config, SettingKey::WindowHeight);
    if (s.windowX < 0) s.windowX = 0;
    if (s.windowY < 0) s.windowY = 0;
    if (s.windowWidth < 400) s.windowWidth = 800;
    if (s.windowHeight < 300) s.windowHeight = 600;
}

void configReadAll(ConfigFile& config, Settings& s, Model& editModel) {
    configSetFileName(config, config.path);
    editModel.undoEnabled = readFlag(config, SettingKey::EnableUndo);
    s.maxUndoCount = readInt(config, SettingKey::MaxUndoCount);
    setupUndo(editModel, s.maxUndoCount);
    // The log starts afresh once the undo store exists, where readers of the log expect it to
    // begin.
    if (!editModel.undo.slots.empty() && config.log) logOpen(*config.log, config.log->path);
    s.targetFramerate = readInt(config, SettingKey::TargetFramerate);
    if (s.targetFramerate < kMinFramerate || s.targetFramerate > kMaxFramerate)
        s.targetFramerate = kDefaultFramerate;
    s.showTexturePreview = readFlag(config, SettingKey::ShowTexturePreview);
    s.onlyShowExtendedToolbars = readFlag(config, SettingKey::OnlyShowExtendedToolbars);
    s.deleteDefaultMeshOnStartup = readFlag(config, SettingKey::DeleteDefaultMeshOnStartup);
    s.enableUpdateChecking = readFlag(config, SettingKey::EnableUpdateChecking);
    s.offeredMajorVersion = readInt(config, SettingKey::OfferedMajorVersion);
    s.offeredMinorVersion = readInt(config, SettingKey::OfferedMinorVersion);
    s.offeredBuildNumber = readInt(config, SettingKey::OfferedBuildNumber);
    s.backgroundRed = readFloat(config, SettingKey::BackgroundR);
    s.backgroundGreen = readFloat(config, SettingKey::BackgroundG);
    s.backgroundBlue = readFloat(config, SettingKey::BackgroundB);
    for (int c = 0; c < kCustomColourCount; ++c) {
        uint32_t packed = 0;
        for (int component = 0; component < 3; ++component) {
            // A missing component (-1) masks to 255: missing colours are white.
            const uint32_t value =
                static_cast<uint32_t>(readInt(config, customColourKey(c, component))) & 0xFF;
            packed |= value << (8 * component);
        }
        s.customColour[c] = packed;
    }
}

void configReadHints(const ConfigFile& config, Settings& s) {
    for (int h = 0; h < kHintCount; ++h) s.showHint[h] = readFlag(config, hintKey(h));
}

bool configWriteAll(const ConfigFile& config, const Settings& s, const Model& editModel) {
    ConfigRewrite rewrite;
    configRewriteBegin(rewrite);
    for (int i = 0; i < static_cast<int>(SettingKey::Count); ++i) {
        const SettingKey key = static_cast<SettingKey>(i);
        if (isFloatKey(key))
            configRewriteFloat(rewrite, settingKeyName(key), floatValue(s, key));
        else
            configRewriteInt(rewrite, settingKeyName(key), intValue(s, editModel, key));
    }
    return configRewriteCommit(config, rewrite);
}
