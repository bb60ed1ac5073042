# Glow colouring: angle map, Colourise with the tint, un-premultiply, intensity and merge.
lumora_add_test(render_colour_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/AngleMapTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ColouriseTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ColourFinishTest.cpp
  LIBS lumora_plugin)
