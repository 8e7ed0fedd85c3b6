# The browser page, built by Emscripten: the bridge to the page's script, and the program,
# linked with Asyncify so that pauses and modal dialogs wait in the game's own code while the
# browser runs on. Each program's folder gets the page's files (web/) beside rolvi.js and
# rolvi.wasm: ROLVI_WEB_PAGE_DIR the page to play, test-page/ the test build's, whose seed
# comes from the page's address and which describes itself to the page's tests.
add_library(rolvi_web_page STATIC browser_page.cpp browser_page.h)
target_link_libraries(rolvi_web_page PUBLIC rolvi_web)
rolvi_warnings(rolvi_web_page)

set(ROLVI_WEB_PAGE_DIR ${CMAKE_BINARY_DIR}/page CACHE PATH "Where the page to play is put together")
set(rolvi_page_files
  ${PROJECT_SOURCE_DIR}/web/index.html
  ${PROJECT_SOURCE_DIR}/web/page.css
  ${PROJECT_SOURCE_DIR}/web/page.js
  ${PROJECT_SOURCE_DIR}/res/rolvi.png)

function(rolvi_page_program target directory exports)
  add_executable(${target} main.cpp)
  target_link_libraries(${target} PRIVATE rolvi_web_page rolvi_resource_tables rolvi_ui)
  rolvi_warnings(${target})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME rolvi
    SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${directory})
  target_link_options(${target} PRIVATE
    -sASYNCIFY
    -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web
    -sFILESYSTEM=0
    -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_rolvi_page_hidden${exports}
    -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${rolvi_page_files} ${directory}
    VERBATIM)
endfunction()

rolvi_page_program(rolvi_web_program ${ROLVI_WEB_PAGE_DIR} "")
rolvi_page_program(rolvi_web_test_program ${CMAKE_BINARY_DIR}/test-page ",_rolvi_test_state")
target_compile_definitions(rolvi_web_test_program PRIVATE ROLVI_WEB_TEST_BUILD)
