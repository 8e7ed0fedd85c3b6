#include "res/tables.h"

#include "platform/widgets/language_match.h"

namespace rolvi::res {

const platform::widgets::ResourceTables& TablesFor(std::string_view name) {
  const std::string_view wanted[] = {name};
  return platform::widgets::ChooseLanguage(Languages(), wanted);
}

}  // namespace rolvi::res
