#include "support/program_assets.h"

#include "platform/widgets/table_resource_lookup.h"
#include "res/tables.h"

namespace rolvi::testing {

const shell::Assets& ProgramAssets() {
  static const platform::widgets::TableResourceLookup resources(res::Tables());
  static const shell::Assets assets = shell::LoadAssets(resources);
  return assets;
}

const shell::Texts& ProgramTexts() {
  return ProgramAssets().texts;
}

}  // namespace rolvi::testing
