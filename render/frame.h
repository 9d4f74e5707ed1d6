// The frame: the views, the dividers, every open panel, the cursor and the texture preview.
#pragma once

#include "model/model.h"
#include "render/view_draw.h"
#include "render/viewport.h"

#include <string>

struct Panels;

// What one frame shows, gathered by the caller from the editor's state; the frame changes no
// model and no panel but the corners drawPanel keeps inside the window.
struct FrameScene {
    Viewport* views = nullptr; // ViewCount of them
    Model* edit = nullptr;
    Panels* panels = nullptr;
    int layout = kLayoutSplit;
    int windowWidth = 800, windowHeight = 600;
    int pointerX = 0, pointerY = 0;
    float background[3] = {0, 0, 0};
    ViewOptions ortho, view3D; // as the view toolbars' toggles say
    bool renderLit = false;
    Model* preview = nullptr;    // the material editor's ticked preview model, if any
    bool nameCaret = false;      // the material name field shows its caret
    unsigned cursorTexture = 0;  // the cursor icon's texture; 0 for none
    bool texturePreview = false; // the selection's texture coordinates over its texture
    unsigned selectionTexture = 0;
    std::string statusText; // a line at the foot of the window; empty for none
};

// Draws the whole frame; the caller swaps buffers.
void drawFrame(const FrameScene& scene);
