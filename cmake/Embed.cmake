# rolvi_embed(target symbol file): compiles the bytes of `file` into `target` as
# rolvi::embedded::<symbol>[] and <symbol>_size, regenerated whenever the file changes.
function(rolvi_embed target symbol file)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  # The rule lives in this directory while the target may come from another one: a target
  # here makes sure the file is generated before the target compiles it.
  add_custom_target(rolvi_embed_${symbol} DEPENDS ${output})
  add_dependencies(${target} rolvi_embed_${symbol})
endfunction()
