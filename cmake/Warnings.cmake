# Warning set shared by every target of the project.
function(rolvi_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
    return()
  endif()
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough -Wformat=2
    -Wmissing-declarations)
  if(ROLVI_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
