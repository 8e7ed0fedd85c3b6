# The browser page, built by Emscripten: the bridge to the page's script, and the program,
# linked with Asyncify so that pauses and modal dialogs wait in the game's own code while the
# browser runs on. Each program's folder gets the page's files (web/, the icons) and its service
# worker beside rolvi.js and rolvi.wasm: ROLVI_WEB_PAGE_DIR the page to play, test-page/ the
# test build's, whose seed comes from the page's address and which describes itself to the
# page's tests.
add_library(rolvi_web_page STATIC browser_page.cpp browser_page.h)
target_link_libraries(rolvi_web_page PUBLIC rolvi_web)
rolvi_warnings(rolvi_web_page)

set(ROLVI_WEB_PAGE_DIR ${CMAKE_BINARY_DIR}/page CACHE PATH "Where the page to play is put together")
set(rolvi_page_files
  ${PROJECT_SOURCE_DIR}/web/index.html
  ${PROJECT_SOURCE_DIR}/web/page.css
  ${PROJECT_SOURCE_DIR}/web/rolvi.webmanifest
  ${PROJECT_SOURCE_DIR}/res/rolvi.png
  ${PROJECT_SOURCE_DIR}/res/rolvi-192.png
  ${PROJECT_SOURCE_DIR}/res/rolvi-512.png
  ${PROJECT_SOURCE_DIR}/res/rolvi-maskable-512.png)
# page.js goes without its comments and indentation (strip_script.js, with Debian's acorn).
set(rolvi_page_script ${PROJECT_SOURCE_DIR}/web/page.js)
set(rolvi_strip_script ${CMAKE_CURRENT_SOURCE_DIR}/strip_script.js)
find_program(ROLVI_NODE node REQUIRED)
# What the service worker fetches at once, to play offline: the program, the page and its
# manifest with the smaller icon. The large icons are kept when the browser first asks for them.
set(rolvi_offline_list
  "index.html|page.css|page.js|rolvi.js|rolvi.wasm|rolvi.png|rolvi.webmanifest|rolvi-192.png")

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
    # A small program starts sooner: the small allocator (the game allocates little, and not
    # while it plays), no run-time code generation, no fallback for browsers without a
    # TextDecoder, and only the hooks page.js sets on Module.
    -sMALLOC=emmalloc
    -sDYNAMIC_EXECUTION=0
    -sTEXTDECODER=2
    -sINCOMING_MODULE_JS_API=[instantiateWasm,onRuntimeInitialized,onAbort]
    -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_rolvi_page_hidden${exports}
    -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8)
  # The page's files beside the program, and the service worker made for them: again whenever
  # the program or one of the files changes (target <program>_files).
  set(worker ${PROJECT_SOURCE_DIR}/web/service-worker.js.in)
  add_custom_command(OUTPUT ${directory}/service-worker.js
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${rolvi_page_files} ${directory}
    COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs
            ${ROLVI_NODE} ${rolvi_strip_script} ${rolvi_page_script} ${directory}/page.js
    COMMAND ${CMAKE_COMMAND} -DDIR=${directory} -DVERSION=${PROJECT_VERSION}
            -DFILES=${rolvi_offline_list} -DTEMPLATE=${worker}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/service_worker.cmake
    DEPENDS ${target} ${rolvi_page_files} ${rolvi_page_script} ${rolvi_strip_script} ${worker}
            ${CMAKE_CURRENT_SOURCE_DIR}/service_worker.cmake
    VERBATIM)
  add_custom_target(${target}_files ALL DEPENDS ${directory}/service-worker.js)
endfunction()

rolvi_page_program(rolvi_web_program ${ROLVI_WEB_PAGE_DIR} "")
rolvi_page_program(rolvi_web_test_program ${CMAKE_BINARY_DIR}/test-page ",_rolvi_test_state")
target_compile_definitions(rolvi_web_test_program PRIVATE ROLVI_WEB_TEST_BUILD)
