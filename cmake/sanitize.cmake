# The checking build (scripts/test-sanitize): every target, the tests and
# the program they start included, built with AddressSanitizer (and its leak
# checker) and UndefinedBehaviorSanitizer; any finding ends the process with
# an error. Built with clang, so that the same objects also carry libFuzzer's
# coverage and the fuzz targets (tests/fuzz) link them: one compile of the
# program serves both. The standard library checks its own bounds too, which
# the sanitizers cannot see inside a vector's spare capacity.
option(VISTREL_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets" OFF)
if(NOT VISTREL_SANITIZE)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The checking build needs clang (CXX=clang++): the fuzz targets link libFuzzer")
endif()

add_compile_options(-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=all
  -fno-omit-frame-pointer -O1)
add_compile_definitions(_GLIBCXX_ASSERTIONS)
add_link_options(-fsanitize=address,undefined)
