# The pipeline's stages over the host's workers, the HueWrapTable and the working values.
lumora_add_test(render_pipeline_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/GlowSourceStagesTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ColorStagesTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/CompositeStagesTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/HueWrapTableTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GlowWorkingValuesTest.cpp
  LIBS lumora_plugin lumora_embedhost)
# Whole frames of the built module in the embedded host.
lumora_add_test(render_glow_frame_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/RenderGlowFrameTest.cpp
  LIBS lumora_plugin lumora_embedhost)
# The glow's render entry points up to the render body, against a fake of the parameter callbacks.
lumora_add_test(render_entry_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/pipeline/GlowRenderEntryTest.cpp
  LIBS lumora_render lumora_test_support)
