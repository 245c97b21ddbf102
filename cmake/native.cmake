# The native build: the portable core, its tests and fuzzers, under ASan and UBSan.

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

set(NATIVE_SYSTEM_SOURCES platform/full_path_posix.cpp platform/char_class_posix.cpp
    platform/system_text_posix.cpp platform/system_calls.cpp platform/system_calls_posix.cpp platform/file_text_posix.cpp
    platform/ensure_directory_posix.cpp platform/append_file_posix.cpp platform/sha256_posix.cpp
    messages/inventory_location_posix.cpp)
add_layer_libraries(${CORE_SOURCES} ${NATIVE_SYSTEM_SOURCES})
# SHA-256 natively comes from OpenSSL's libcrypto (scripts/setup.sh installs libssl-dev).
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
target_link_libraries(vel_platform PUBLIC OpenSSL::Crypto)

add_executable(native_tests ${CORE_TESTS})
target_link_libraries(native_tests vel_core GTest::gtest_main)
# Shuffled: the tests must pass in any order; a failing order shows its seed.
add_test(NAME native_unit COMMAND native_tests --gtest_shuffle)

# The subsystem folders stack without includes pointing back up.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME layering COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-layering.py
                               ${CMAKE_SOURCE_DIR})
add_test(NAME layering_self_test
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-layering.py --self-test)
# Every C++ file is formatted as .clang-format says.
add_test(NAME format COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-format.sh)

# The medium checker, for people who build media, in their build pipelines.
add_executable(velcheck tools/velcheck/velcheck_main.cpp tools/velcheck/medium_check.cpp
                        tools/velcheck/medium_file.cpp tools/velcheck/medium_seal_file.cpp
                        ${VELCHECK_SOURCES})
target_link_libraries(velcheck vel_core)
find_program(SYSTEM_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME velcheck COMMAND ${SYSTEM_PYTHON3} -m pytest -q -p no:cacheprovider
                               ${CMAKE_SOURCE_DIR}/tests/velcheck)
set_tests_properties(velcheck PROPERTIES ENVIRONMENT
                     "VELCHECK=$<TARGET_FILE:velcheck>;VELCHECK_RESOURCE=${CMAKE_BINARY_DIR}/resource")

# docs/reference.md is what the generator writes from the launcher's tables.
add_executable(gen_reference tools/gen_reference.cpp)
target_link_libraries(gen_reference vel_core)
add_test(NAME reference
         COMMAND ${CMAKE_COMMAND} -DGENERATOR=$<TARGET_FILE:gen_reference>
                 -DREFERENCE=${CMAKE_SOURCE_DIR}/docs/reference.md
                 -P ${CMAKE_SOURCE_DIR}/cmake/check_reference.cmake)

add_executable(nls_compiler tools/nls_compiler.cpp)
target_link_libraries(nls_compiler vel_core)

# The shipped catalogue must compile: a missing key or a bad conversion fails the build.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/resource/cons.nls
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resource
  COMMAND nls_compiler ${CMAKE_SOURCE_DIR}/messages/cons_en.txt ${CMAKE_BINARY_DIR}/resource/cons.nls
  DEPENDS nls_compiler ${CMAKE_SOURCE_DIR}/messages/cons_en.txt)
# The German catalogue is complete too: compiled without --partial, a key it lacks fails.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/resource/cons_de.nls
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resource
  COMMAND nls_compiler ${CMAKE_SOURCE_DIR}/messages/cons_de.txt ${CMAKE_BINARY_DIR}/resource/cons_de.nls
  DEPENDS nls_compiler ${CMAKE_SOURCE_DIR}/messages/cons_de.txt)
add_custom_target(catalogues ALL DEPENDS ${CMAKE_BINARY_DIR}/resource/cons.nls
                                         ${CMAKE_BINARY_DIR}/resource/cons_de.nls)

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(FUZZ_SECONDS 20 CACHE STRING "How long each fuzzer runs in the tests")
  foreach(target catalogue component_list java_command options paging_files pe_section
                 profile_text section_reader velcheck)
    add_executable(fuzz_${target} fuzz/fuzz_${target}.cpp ${CORE_SOURCES} ${NATIVE_SYSTEM_SOURCES}
                                  ${VELCHECK_SOURCES})
    target_include_directories(fuzz_${target} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${target} PRIVATE OpenSSL::Crypto)
    # New inputs go to the build's own corpus; the seeds in the tree are only read.
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz_corpus_${target})
    add_test(NAME fuzz_${target}
      COMMAND fuzz_${target} -max_total_time=${FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
              ${CMAKE_BINARY_DIR}/fuzz_corpus_${target} ${CMAKE_SOURCE_DIR}/fuzz/corpus_${target})
  endforeach()
endif()
