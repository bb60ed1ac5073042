# lumora_plugin_layer(<target> <sources>... LINKS <layers below>...): one folder of the plug-in
# as a static library. Its links name the layers it is built on, lowest last.
function(lumora_plugin_layer target)
  cmake_parse_arguments(L "" "" "LINKS" ${ARGN})
  add_library(${target} STATIC ${L_UNPARSED_ARGUMENTS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${L_LINKS} lumora_hostapi PRIVATE lumora_build_flags)
  # Messages name sources relative to the project, not the build machine.
  target_compile_options(${target} PRIVATE -fmacro-prefix-map=${PROJECT_SOURCE_DIR}/=)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Lets dlclose really unload the module, so each load starts from fresh statics.
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
endfunction()
