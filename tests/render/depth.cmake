# The depth branch: DepthCurve, its per-pixel kernels and its stages over the host's workers.
lumora_add_test(render_depth_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/DepthCurveTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/DepthRowsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/DepthStagesTest.cpp
  LIBS lumora_plugin lumora_embedhost)
# The depth branch of the frame render: where the Depth Layer meets the source, and whole frames.
lumora_add_test(render_depth_frame_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/DepthPlacementTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/DepthFrameTest.cpp
  LIBS lumora_plugin lumora_embedhost)
