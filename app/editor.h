// The editor: every long-lived object of the running program, held in one place.
#pragma once

#include "app/config.h"
#include "app/recovery.h"
#include "app/reference_images.h"
#include "app/settings.h"
#include "base/log.h"
#include "edit/normals.h"
#include "edit/numeric_transforms.h"
#include "model/file_formats.h"
#include "model/model.h"
#include "platform/platform.h"
#include "render/viewport.h"
#include "ui/toolbars.h"

#include <cstdint>
#include <string>
#include <vector>

// Virtual-key codes the handlers look at.
enum VirtualKey : int {
    VkBackspace = 0x08,
    VkShift = 0x10,
    VkControl = 0x11,
    VkSpace = 0x20,
    VkPageUp = 0x21,
    VkPageDown = 0x22,
    VkLeft = 0x25,
    VkUp = 0x26,
    VkRight = 0x27,
    VkDown = 0x28,
    VkM = 'M', // letters are their capitals
    VkR = 'R',
    VkZ = 'Z',
};

// Mouse button mask bits, as window events carry them.
enum MouseButton : int { MkLeft = 1, MkRight = 2, MkShift = 4, MkControl = 8, MkMiddle = 16 };

// Raw input as the last window events left it.
struct InputState {
    uint8_t keys[256] = {}; // 1 while the key is down
    // Keys that went down since the last frame's keyboard pass: 1, or 2 when Ctrl was down then.
    uint8_t pressed[256] = {};
    // Every key-down since the last frame's keyboard pass, in order, for typing.
    std::vector<uint8_t> typed;
    int pointerX = 0, pointerY = 0;
    int previousX = 0, previousY = 0;
    int buttonMask = 0;
    bool leftDrag = false;  // the last move had exactly the left button down
    bool rightDrag = false; // the last move had exactly the right button down
    bool mouseInside = true;
    bool trackingLeave = false;
    bool systemCursorShown = true;
};

enum class EditMode { Normal = 1, DrawNewMesh = 3 };
enum TransformMode : int { ModeMove, ModeRotate, ModeScale, ModeTexture, TransformModeCount };

// Cursor icons: which of the seven cursor images is drawn.
enum CursorIcon : int {
    CursorDefault,
    CursorOrthoView,
    CursorOverVertex, // + transform mode: 2 Move .. 5 Texture Coordinate
    CursorDrawMesh = 6,
};

struct EditorState {
    EditMode editMode = EditMode::Normal;
    int transformMode = ModeMove;
    int cursorIcon = CursorDefault;
    int viewLayout = kLayoutSplit;
    bool snapToGrid = false;
    bool automaticRevision = false;
    int64_t lastAutomaticRevision = 0;
    bool materialEditorFromMenu = false;
    // The typed transform and weld distance last used, offered again for the session.
    TransformValues lastTransform;
    float weldDistance = kCoincidenceTolerance;
    // A line shown at the foot of the window until statusUntil (monotonic milliseconds).
    std::string statusText;
    int64_t statusUntil = 0;
};

// Frame pacing and the measured frame rate, all in monotonic milliseconds.
struct FrameClock {
    int64_t frameClock = 0;
    int64_t secondClock = 0;
    int frameCounter = 0;
    int frameRate = 0;
};

struct Editor {
    explicit Editor(Platform& platform);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Platform& platform;

    // Constructed first: each opens its log channel, which restarts the log file.
    Model edit;
    Model materialEditor;
    Model preview[3];
    // What the frames' normal passes have learnt about the edit model while normals are pending.
    NormalsProgress normals;

    Viewport views[ViewCount];
    Panels panels;

    LogChannel log; // the program's own channel
    std::string userDirectory;
    std::string configPath;
    ConfigFile config;
    Settings settings;

    InputState input;
    EditorState state;
    FrameClock clock;

    Recovery recovery;
    ReferenceImages referenceImages;

    // File > Recent Files, newest first (app/recent_files.h).
    std::vector<std::string> recentFiles;
    // Where the file dialogs of each format were last used; empty until they are.
    std::string dialogFolders[FileFormatCount];

    bool windowActive = true;
    bool startupComplete = false;
    bool quit = false;

    unsigned cursorTextures[kCursorTextures] = {};
};
