// The program's own assets and texts, loaded from the resource tables generated from
// res/rolvi.rc as the desktop program loads them, for tests that make the main window or
// check what the game shows: in Chinese, the replay driver's language, or in another.
#pragma once

#include <string_view>

#include "platform/widgets/resource_tables.h"
#include "shell/assets.h"

namespace rolvi::testing {

const shell::Assets& ProgramAssets();
const shell::Texts& ProgramTexts();
// The assets of one of the program's languages, loaded once.
const shell::Assets& ProgramAssetsIn(const platform::widgets::ResourceTables& language);

}  // namespace rolvi::testing
