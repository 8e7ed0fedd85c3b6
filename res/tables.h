// The program's resources as C++ tables, one set per language: res/rolvi.rc compiled by
// tools/rescomp at build time (target rolvi_resource_tables). The program's main.cpp files pick
// the player's language and hand its tables to the window systems that draw their own windows;
// tools and tests that need them link the target.
#pragma once

#include <span>
#include <string_view>

#include "platform/widgets/resource_tables.h"

namespace rolvi::res {

// Every language of the script, in its order; the first is the language of last resort.
std::span<const platform::widgets::ResourceTables> Languages();

// The tables of the language `name` names (a tag or a locale name, "zh", "en-US"), or of the
// first language when the program has none of it.
const platform::widgets::ResourceTables& TablesFor(std::string_view name);

}  // namespace rolvi::res
