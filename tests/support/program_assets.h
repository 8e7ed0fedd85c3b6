// The program's own assets and texts, loaded from the resource tables generated from
// res/rolvi.rc as the desktop program loads them, for tests that make the main window or
// check what the game shows.
#pragma once

#include "shell/assets.h"

namespace rolvi::testing {

const shell::Assets& ProgramAssets();
const shell::Texts& ProgramTexts();

}  // namespace rolvi::testing
