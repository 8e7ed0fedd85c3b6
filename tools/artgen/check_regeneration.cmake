# Regenerates the artwork into WORK and checks it against the committed files in SOURCE/res,
# byte for byte.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${ARTGEN}" "${WORK}" RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
  message(FATAL_ERROR "rolvi_artgen failed")
endif()
foreach(name sprites.deflate about.bmp about_mask.bmp rolvi.ico rolvi.png rolvi-192.png rolvi-512.png
             rolvi-maskable-512.png)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/${name}" "${SOURCE}/res/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} differs from the committed file; run rolvi_artgen res docs/art")
  endif()
endforeach()
