# With TOBU_FUZZ every library is built with coverage for libFuzzer and with
# AddressSanitizer and UndefinedBehaviorSanitizer; only clang provides them.
if(TOBU_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TOBU_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined
                      -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/coverage_ignore.txt
                      -fsanitize-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/sanitize_ignore.txt)
  add_link_options(-fsanitize=address,undefined)
endif()

# In the checked builds the standard containers check their indices too: the tile grid
# is an array inside World, where a read past a row would not reach AddressSanitizer.
if(TOBU_SANITIZE OR TOBU_FUZZ)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()
