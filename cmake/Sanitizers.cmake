# Address and undefined-behaviour sanitizers for the whole build when ROLVI_SANITIZE is on.
if(ROLVI_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
