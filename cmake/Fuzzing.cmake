# With ROLVI_BUILD_FUZZ the whole build is compiled for libFuzzer: coverage instrumentation
# and the address and undefined-behaviour sanitizers on every target, so that the core library
# the fuzzers link is instrumented too. fuzz/CMakeLists.txt adds libFuzzer's own main.
if(ROLVI_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ROLVI_BUILD_FUZZ needs clang with libFuzzer (CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
