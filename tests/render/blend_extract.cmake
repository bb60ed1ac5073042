# Glow-source extraction, intensity curve, blend kernel and pixel composite, on hand-worked values.
lumora_add_test(render_blend_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/GlowSourceRowsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/LuminanceLanesTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GlowIntensityRowsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/BlendKernelTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PixelCompositeTest.cpp
  LIBS lumora_plugin)
