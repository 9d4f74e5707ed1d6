// Hints and tips: the built-in hint texts, offering a hint in the Hints box and closing it.
#include "ui/hints.h"

namespace {

struct HintText {
    const char* lines[kHintBoxLines];
};

// Hints 6 .. 9 are reserved: empty, so never shown.
constexpr HintText kHints[kHintRecords] = {
    {{"This is the first of several ", "Hints and Tips that will pop up in ",
      "Facetwright. For your convenience", "the box below has already been ",
      "checked so that you will not be ", "notified again.", ""}},
    {{"You have placed your cursor over ", "a Mesh Pin.  These Mesh Pins give",
      "you access to the Mesh Menu for that", "specific mesh.  Click on the Pin ",
      "and you will be presented with", "the available tools.", ""}},
    {{"You have clicked on the View Menu. ", "Depending on the viewport you are",
      "looking at you will see options", "that allow you to toggle what is  ",
      "displayed and what is not displayed", "like the grid and axis etc.", ""}},
    {{"This is the Cursor Mode Menu.", "Here you can toggle the current",
      "Edit Mode of the cursor. Notice ", "that, like other toolbars, there",
      "is a small status bar that shows", "you what each button/toggle is ", "for. "}},
    {{"This is the Material Editor.", "Feel free to play about in here,",
      "nothing will be applied to your ", "model if you click cancel.", "", "", ""}},
    {{"These are the textures currently", "included with this model.  They",
      "are only links to the files in", "the folder.  Because of this, ",
      "all textures MUST be stored in the", "same folder as the the Model", "(FW2) file."}},
    {},
    {},
    {},
    {},
};

bool validHint(int hint) {
    return hint >= 0 && hint < kHintRecords;
}

} // namespace

std::string_view hintLine(int hint, int line) {
    if (!validHint(hint) || line < 0 || line >= kHintBoxLines) return {};
    const char* text = kHints[hint].lines[line];
    return text ? std::string_view(text) : std::string_view();
}

bool hintHasText(int hint) {
    for (int line = 0; line < kHintBoxLines; ++line)
        if (!hintLine(hint, line).empty()) return true;
    return false;
}

bool offerHint(Panels& panels, const bool flags[kHintRecords], int hint, int windowWidth,
               int windowHeight) {
    Panel& box = panels.hints;
    if (!validHint(hint) || !flags[hint] || !hintHasText(hint) || box.widgets.empty()) return false;
    if (box.visible && getValue(box, kIdHintCheck) == hint) return true;
    setCaption(box, hintLine(hint, 0), kIdHintTitle);
    for (int line = 1; line < kHintBoxLines; ++line)
        setCaption(box, hintLine(hint, line), kIdHintFirstLine + line - 1);
    setValue(box, kIdHintCheck, hint);
    setState(box, kIdHintCheck, true);
    showPanelAt(box, windowWidth / 2 - 120, windowHeight / 2 - 90);
    return true;
}

void closeHints(Panels& panels, bool flags[kHintRecords]) {
    Panel& box = panels.hints;
    if (!box.visible) return;
    box.visible = false;
    if (box.widgets.empty() || !getState(box, kIdHintCheck)) return;
    const int hint = getValue(box, kIdHintCheck);
    if (validHint(hint)) flags[hint] = false;
}
