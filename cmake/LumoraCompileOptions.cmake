# Warning and sanitizer flags shared by every target of ours.
add_library(lumora_build_flags INTERFACE)
target_compile_options(lumora_build_flags INTERFACE -Wall -Wextra)
if(LUMORA_WERROR)
  target_compile_options(lumora_build_flags INTERFACE -Werror)
endif()

if(LUMORA_SANITIZE STREQUAL "address")
  target_compile_options(lumora_build_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(lumora_build_flags INTERFACE -fsanitize=address,undefined)
elseif(LUMORA_SANITIZE STREQUAL "thread")
  target_compile_options(lumora_build_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(lumora_build_flags INTERFACE -fsanitize=thread)
elseif(LUMORA_SANITIZE STREQUAL "fuzzer")
  # Every library instrumented for libFuzzer; the fuzz targets link its driver.
  target_compile_options(lumora_build_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                                                  -fno-sanitize-recover=undefined)
  target_link_options(lumora_build_flags INTERFACE -fsanitize=address,undefined)
elseif(NOT LUMORA_SANITIZE STREQUAL "")
  message(FATAL_ERROR "LUMORA_SANITIZE must be empty, address, thread or fuzzer")
endif()

if(WIN32)
  # The module and the test programs must run without MinGW runtime DLLs beside them.
  target_link_options(lumora_build_flags INTERFACE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(lumora_build_flags INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
