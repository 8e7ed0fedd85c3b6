// The program's resources as C++ tables: res/rolvi.rc compiled by tools/rescomp at build time
// (target rolvi_resource_tables). The program's main.cpp files hand them to the window systems
// that draw their own windows; tools and tests that need them link the target.
#pragma once

#include "platform/widgets/resource_tables.h"

namespace rolvi::res {

const platform::widgets::ResourceTables& Tables();

}  // namespace rolvi::res
