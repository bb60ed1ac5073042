# Builds the plug-in module with -DLUMORA_AE_SDK_DIR against a stand-in SDK folder: our headers
# laid out as the SDK's archive has them (Examples/Headers, Examples/Headers/SP), each refusing to
# compile without the platform define the SDK's headers need. When a cross compiler is at hand,
# the cross build's native property-list generator is built against it as well.
#   -DSOURCE_DIR=... -DWORK_DIR=... [-DTOOLCHAIN=... when the cross build is to be tried]
cmake_minimum_required(VERSION 3.25)

set(sdk ${WORK_DIR}/sdk)
file(REMOVE_RECURSE ${WORK_DIR})
file(GLOB headers ${SOURCE_DIR}/hostapi/*.h)
foreach(header IN LISTS headers)
  get_filename_component(name ${header} NAME)
  set(dir ${sdk}/Examples/Headers)
  if(name MATCHES "^SP")
    set(dir ${dir}/SP)
  endif()
  file(READ ${header} text)
  file(WRITE ${dir}/${name}
       "#if !defined(_WINDOWS) && !defined(_MSC_VER) && !defined(WINDOWS)\n"
       "#error the SDK's headers need a platform define\n#endif\n${text}")
endforeach()
file(MAKE_DIRECTORY ${sdk}/Examples/Util)

function(build_with_sdk label binary_dir target)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${binary_dir} -G Ninja -DCMAKE_BUILD_TYPE=Debug
            -DLUMORA_AE_SDK_DIR=${sdk} -DLUMORA_BUILD_TESTS=OFF -DLUMORA_BENCH=OFF
            -DLUMORA_CLI_IMAGES=OFF -DLUMORA_WERROR=ON ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(status EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${binary_dir} --target ${target}
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${label} against the SDK folder failed:\n${output}")
  endif()
  message(STATUS "${label} against the SDK folder: built")
endfunction()

build_with_sdk("native module" ${WORK_DIR}/native Lumora)
if(TOOLCHAIN)
  build_with_sdk("cross build's property list" ${WORK_DIR}/cross lumora_pipl_generate
                 -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
endif()
file(REMOVE_RECURSE ${WORK_DIR})
