// An editor on the scripted platform, laid out at 800 x 600 with its toolbars, as start-up leaves
// it (minus OpenGL).
#pragma once

#include "app/editor.h"
#include "app/window_messages.h"
#include "platform/fake_platform.h"

#include <gtest/gtest.h>

namespace fwtest {

inline unsigned noTexture(int) {
    return 0;
}

// A key going down or up, as the window reports it.
inline void sendKey(Editor& editor, WindowEventType type, int key) {
    WindowEvent e;
    e.type = type;
    e.key = key;
    handleWindowEvent(editor, e);
}

struct LaidOutEditor : ::testing::Test {
    FakePlatform platform;
    Editor editor{platform};
    LaidOutEditor() {
        initViewports(editor.views, kLayoutSplit, 800, 600);
        layoutToolbars(editor.panels, noTexture);
        editor.startupComplete = true;
    }
};

} // namespace fwtest
