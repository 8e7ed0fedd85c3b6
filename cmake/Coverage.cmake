# Line and branch coverage of the whole build (gcov data for gcovr) when ROLVI_COVERAGE is on.
if(ROLVI_COVERAGE)
  add_compile_options(--coverage -O0)
  add_link_options(--coverage)
endif()
