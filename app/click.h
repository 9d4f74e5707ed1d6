// The left-button press: which panel or viewport takes it.
#pragma once

#include "app/editor.h"

void handleLeftClick(Editor& editor);
