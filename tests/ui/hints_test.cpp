// Hints: the built-in texts, when a hint is offered, and what closing the box does to the flags.
#include "ui/hints.h"

#include "platform/fake_platform.h"

#include <gtest/gtest.h>

namespace {

unsigned noTexture(int) {
    return 0;
}

struct HintsFixture : ::testing::Test {
    HintsFixture() { layoutToolbars(panels, noTexture); }
    std::string line(int id) const {
        return panels.hints.widgets[findWidget(panels.hints, id)].caption;
    }
    Panels panels;
    bool flags[kHintRecords] = {true, true, true, true, true, true, true, true, true, true};
};

} // namespace

TEST(HintTexts, LinesKeepTheirBlanks) {
    // blanks at line ends belong to the text
    EXPECT_EQ(hintLine(0, 0), "This is the first of several ");
    EXPECT_EQ(hintLine(1, 1), "a Mesh Pin.  These Mesh Pins give");
    EXPECT_EQ(hintLine(2, 3), "that allow you to toggle what is  ");
    EXPECT_EQ(hintLine(3, 6), "for. ");
    EXPECT_EQ(hintLine(5, 6), "(FW2) file.");
    // empty lines and the reserved hints
    EXPECT_EQ(hintLine(0, 6), "");
    EXPECT_EQ(hintLine(4, 4), "");
    for (int hint = 0; hint < kHintRecords; ++hint) EXPECT_EQ(hintHasText(hint), hint <= 5);
    // out of range
    EXPECT_EQ(hintLine(-1, 0), "");
    EXPECT_EQ(hintLine(10, 0), "");
    EXPECT_EQ(hintLine(0, 7), "");
    // every text fits a widget caption unchanged
    for (int hint = 0; hint < kHintRecords; ++hint)
        for (int l = 0; l < kHintBoxLines; ++l) EXPECT_LT(hintLine(hint, l).size(), 256u);
}

TEST_F(HintsFixture, OfferFillsTheBoxAndCentresIt) {
    EXPECT_TRUE(offerHint(panels, flags, kHintCursorMenu, 800, 600));
    const Panel& box = panels.hints;
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.x, 280);
    EXPECT_EQ(box.y, 210);
    EXPECT_EQ(line(kIdHintTitle), "This is the Cursor Mode Menu.");
    for (int k = 0; k < 6; ++k) EXPECT_EQ(line(kIdHintFirstLine + k), hintLine(3, k + 1)) << k;
    EXPECT_EQ(getValue(box, kIdHintCheck), 3);
    EXPECT_TRUE(getState(box, kIdHintCheck));

    // Another hint replaces every line, the empty ones too, and re-ticks the box.
    setState(panels.hints, kIdHintCheck, false);
    EXPECT_TRUE(offerHint(panels, flags, kHintMaterialEditor, 1001, 701));
    EXPECT_EQ(box.x, 500 - 120);
    EXPECT_EQ(box.y, 350 - 90);
    EXPECT_EQ(line(kIdHintTitle), "This is the Material Editor.");
    EXPECT_EQ(line(kIdHintFirstLine + 5), "");
    EXPECT_EQ(getValue(box, kIdHintCheck), 4);
    EXPECT_TRUE(getState(box, kIdHintCheck));
}

TEST_F(HintsFixture, OfferedOnlyWhileFlaggedAndWritten) {
    // a cleared flag shows nothing
    flags[kHintMeshPin] = false;
    EXPECT_FALSE(offerHint(panels, flags, kHintMeshPin, 800, 600));
    EXPECT_FALSE(panels.hints.visible);
    // reserved hints stay hidden even when their flag is set
    EXPECT_FALSE(offerHint(panels, flags, 7, 800, 600));
    EXPECT_FALSE(panels.hints.visible);
    // numbers outside the table are ignored
    EXPECT_FALSE(offerHint(panels, flags, -1, 800, 600));
    EXPECT_FALSE(offerHint(panels, flags, kHintRecords, 800, 600));
    EXPECT_FALSE(panels.hints.visible);
    // a box that was never built shows nothing
    Panels bare;
    EXPECT_FALSE(offerHint(bare, flags, kHintStart, 800, 600));
    EXPECT_FALSE(bare.hints.visible);
}

TEST_F(HintsFixture, ClosingClearsTheShownHintWhenTicked) {
    FakePlatform platform;
    // closing a ticked box clears exactly that hint's flag
    offerHint(panels, flags, kHintStart, 800, 600);
    closeHints(panels, flags);
    EXPECT_FALSE(panels.hints.visible);
    EXPECT_FALSE(flags[0]);
    for (int h = 1; h < kHintRecords; ++h) EXPECT_TRUE(flags[h]) << h;
    EXPECT_FALSE(offerHint(panels, flags, kHintStart, 800, 600));

    // unticked through a click on the check box: the hint is kept and comes again
    offerHint(panels, flags, kHintMeshPin, 800, 600);
    const Panel& box = panels.hints;
    EXPECT_EQ(panelClick(panels.hints, box.x + 45, box.y + 210, platform), kIdHintCheck);
    EXPECT_FALSE(getState(box, kIdHintCheck));
    // hovering the pin again while the box is open keeps the user's choice
    EXPECT_TRUE(offerHint(panels, flags, kHintMeshPin, 800, 600));
    EXPECT_FALSE(getState(box, kIdHintCheck));
    closeHints(panels, flags);
    EXPECT_TRUE(flags[1]);
    EXPECT_TRUE(offerHint(panels, flags, kHintMeshPin, 800, 600));
    EXPECT_TRUE(getState(box, kIdHintCheck));

    // closing a box that is not open changes no flag
    closeHints(panels, flags);
    EXPECT_FALSE(flags[1]);
    flags[1] = true;
    closeHints(panels, flags);
    EXPECT_TRUE(flags[1]);

    // a hint number that is not in the table clears nothing
    offerHint(panels, flags, kHintViewMenu, 800, 600);
    setValue(panels.hints, kIdHintCheck, 42);
    closeHints(panels, flags);
    EXPECT_FALSE(panels.hints.visible);
    for (int h = 1; h < kHintRecords; ++h) EXPECT_TRUE(flags[h]) << h;
}
