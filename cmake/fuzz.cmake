# The fuzzing build (scripts/fuzz): every library compiled with coverage for
# libFuzzer and with ASan and UBSan; the targets under fuzz/ link libFuzzer.
# Needs clang.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "BALANCER_FUZZ needs clang++ (-DCMAKE_CXX_COMPILER=clang++)")
endif()
set(BALANCER_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
add_compile_options(${BALANCER_FUZZ_FLAGS})
add_link_options(-fsanitize=address,undefined)
