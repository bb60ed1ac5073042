# Glow colouring: angle map, Colourise with the tint, un-premultiply, intensity and merge.
lumora_add_test(render_color_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/AngleMapTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ColorizeTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ColorFinishTest.cpp
  LIBS lumora_plugin)
