// Window events: raw input bookkeeping and the handlers each event runs.
#pragma once

#include "app/editor.h"

void handleWindowEvent(Editor& editor, const WindowEvent& event);
