// What a file operation started from a menu tells its caller, which shows any message box.
#pragma once

#include <functional>
#include <string>

// model/ shows no message boxes; the text and caption of the one to show travel back here.
struct FileResult {
    bool ok = false;
    std::string error;      // the failure as logged; empty on success
    std::string boxText;    // the message box to show; empty for none
    std::string boxCaption; // "ERROR" whenever boxText is set
};

inline FileResult fileSucceeded() {
    FileResult r;
    r.ok = true;
    return r;
}

// A failure the user hears of: "<what>:\n<path>\n\n<error>" in an "ERROR" box.
inline FileResult fileFailed(const std::string& error, const std::string& what,
                             const std::string& path) {
    FileResult r;
    r.error = error;
    r.boxText = what + ":\n" + path + "\n\n" + error;
    r.boxCaption = "ERROR";
    return r;
}

// PNG bytes of the texture image at path with pure black made transparent, for writers that embed
// images; the platform layer encodes them, so model/ stays free of image code. False when the
// image cannot be read. May be empty: textures are then left out.
using PngSource = std::function<bool(const std::string& imagePath, std::string& png)>;
