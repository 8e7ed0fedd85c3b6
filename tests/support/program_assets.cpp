#include "support/program_assets.h"

#include "platform/widgets/table_resource_lookup.h"

namespace rolvi::testing {

const shell::Assets& ProgramAssets() {
  static const platform::widgets::TableResourceLookup resources(
      platform::widgets::ProgramResourceTables());
  static const shell::Assets assets = shell::LoadAssets(resources);
  return assets;
}

const shell::Texts& ProgramTexts() {
  return ProgramAssets().texts;
}

}  // namespace rolvi::testing
