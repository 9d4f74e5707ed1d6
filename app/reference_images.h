// Reference pictures behind the model in the Front, Left and Top views: chosen from the Options
// menu and kept in ReferenceImages.txt in the per-user folder.
#pragma once

#include <string>

struct Editor;

constexpr const char* kReferenceImagesFile = "ReferenceImages.txt";

struct ReferenceImage {
    std::string path;               // absolute; empty: none
    float centreU = 0, centreV = 0; // in the view's plane coordinates (across, up)
    float width = 10;               // world units; the height follows the picture
    float opacity = 0.5f;
};

struct ReferenceImages {
    ReferenceImage plane[3]; // by Plane: Front 0, Top 1, Left 2
    int lastPlane = 0;       // offered first by the dialog
};

// One line per view with a picture: "Front,CENTRE ACROSS,CENTRE UP,WIDTH,OPACITY,PATH", numbers
// in the "C" locale; the path comes last so it may hold commas.
std::string referenceImagesText(const ReferenceImages& images);
// Reads that text; lines it does not understand are skipped.
void parseReferenceImages(const std::string& text, ReferenceImages& images);

// Start-up, after the views exist: reads the file and loads the pictures into their views.
void loadReferenceImages(Editor& editor);
// Options > Reference Image...: the view, picture, placement and opacity in a form; the file is
// written at once.
void referenceImageCommand(Editor& editor);
// Options > Clear Reference Images: every view loses its picture; the file is written empty.
void clearReferenceImagesCommand(Editor& editor);
