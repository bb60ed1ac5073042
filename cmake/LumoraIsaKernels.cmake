# Kernels built once per instruction set, chosen at run time: each *.simd.cpp is compiled as
# an object library per set with LUMORA_ISA naming its namespace, and linked into TARGET.
# x86-64 gets portable, avx2 and avx512 builds (LUMORA_X86_KERNELS tells the dispatcher);
# other processors the portable one only.
set(LUMORA_ISA_SETS portable)
set(LUMORA_ISA_FLAGS_portable "")
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  list(APPEND LUMORA_ISA_SETS avx2 avx512)
  set(LUMORA_ISA_FLAGS_avx2 -mavx2 -mbmi2)
  set(LUMORA_ISA_FLAGS_avx512 -mavx512f -mavx512bw -mavx512vl -mavx512dq -mbmi2)
endif()

function(lumora_isa_kernels target)
  foreach(isa IN LISTS LUMORA_ISA_SETS)
    set(lib ${target}_${isa})
    add_library(${lib} OBJECT ${ARGN})
    target_include_directories(${lib} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${lib} PRIVATE LUMORA_ISA=${isa})
    # No contraction may change a float result. Wide vector values pass only between
    # functions of the file itself, so the note that their calling convention varies is moot.
    target_compile_options(${lib} PRIVATE ${LUMORA_ISA_FLAGS_${isa}} -ffp-contract=off -Wno-psabi)
    target_link_libraries(${lib} PRIVATE lumora_build_flags)
    set_target_properties(${lib} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${lib}>)
  endforeach()
  if("avx2" IN_LIST LUMORA_ISA_SETS)
    target_compile_definitions(${target} PRIVATE LUMORA_X86_KERNELS)
  endif()
endfunction()
