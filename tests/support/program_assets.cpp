#include "support/program_assets.h"

#include <map>
#include <memory>

#include "platform/widgets/table_resource_lookup.h"
#include "res/tables.h"

namespace rolvi::testing {
namespace {

struct Loaded {
  explicit Loaded(const platform::widgets::ResourceTables& language)
      : resources(language), assets(shell::LoadAssets(resources)) {}
  platform::widgets::TableResourceLookup resources;
  shell::Assets assets;
};

}  // namespace

const shell::Assets& ProgramAssetsIn(const platform::widgets::ResourceTables& language) {
  static std::map<const platform::widgets::ResourceTables*, std::unique_ptr<Loaded>> loaded;
  std::unique_ptr<Loaded>& entry = loaded[&language];
  if (entry == nullptr) entry = std::make_unique<Loaded>(language);
  return entry->assets;
}

const shell::Assets& ProgramAssets() {
  return ProgramAssetsIn(res::TablesFor("zh-CN"));
}

const shell::Texts& ProgramTexts() {
  return ProgramAssets().texts;
}

}  // namespace rolvi::testing
