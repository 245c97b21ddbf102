# The Windows build: setup.exe, its catalogue, and the tests that run under Wine.

enable_language(RC)

# Every executable and DLL of this build comes out the same from the same commit, in any
# directory at any time: the linker writes no time stamp into the PE header, the debug
# information names the source and build directories as "." and "build" (setup.exe's
# debug link carries a checksum of it), and __DATE__ or __TIME__ fails the compile.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-Wdate-time>")
add_link_options(-Wl,--no-insert-timestamp)
# Static libraries keep no member dates or owners (Debian's binutils default, made
# explicit for any other).
foreach(lang C CXX)
  set(CMAKE_${lang}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
endforeach()
# objcopy and strip write the time they run into a PE header unless given one: they get
# zero, as the linker leaves it.
set(PE_OBJCOPY ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
set(PE_STRIP ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_STRIP})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

# Only system DLLs at run time: the C and C++ runtimes and winpthread go in statically.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(HARDENING -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)

set(WINDOWS_SOURCES
  launcher/installer_process_win32.cpp
  launcher/console_win32.cpp
  launcher/dll_search_win32.cpp
  launcher/launch_system_win32.cpp
  launcher/redirection_trust_win32.cpp
  launcher/registry_probe_win32.cpp
  messages/catalogue_loader_win32.cpp
  messages/inventory_location_win32.cpp
  params/parameter_file_win32.cpp
  platform/char_class_win32.cpp
  platform/append_file_win32.cpp
  platform/child_process_win32.cpp
  platform/final_path_win32.cpp
  platform/full_path_win32.cpp
  platform/held_directory_win32.cpp
  platform/module_path_win32.cpp
  platform/process_token_win32.cpp
  platform/sha256_win32.cpp
  platform/sealed_file_win32.cpp
  platform/system_calls.cpp
  platform/system_calls_win32.cpp
  platform/system_environment_win32.cpp
  platform/system_text_win32.cpp
  platform/ensure_directory_win32.cpp
  platform/file_text_win32.cpp
  platform/list_files_win32.cpp
  prereq/prereq_checks_win32.cpp
  prereq/swap_space_win32.cpp
  prereq/system_info_win32.cpp
  staging/archive_expansion_win32.cpp
  staging/free_disk_win32.cpp
  staging/held_item_retry_win32.cpp
  staging/scratch_cleanup_win32.cpp
  staging/scratch_dir_win32.cpp
  staging/staging_disk_win32.cpp
  staging/tree_walk_win32.cpp
)
set(WINDOWS_TESTS
  launcher/installer_process_win32_test.cpp
  launcher/redirection_trust_win32_test.cpp
  launcher/registry_probe_win32_test.cpp
  params/parameter_file_win32_test.cpp
  platform/sealed_file_win32_test.cpp
  messages/catalogue_loader_win32_test.cpp
  platform/system_calls_win32_test.cpp
  messages/installer_log_win32_test.cpp
  prereq/prereq_checks_win32_test.cpp
  staging/archive_expansion_win32_test.cpp
  staging/scratch_dir_win32_test.cpp
  staging/scratch_security_win32_test.cpp
  staging/tree_walk_win32_test.cpp
  platform/child_process_win32_test.cpp
  platform/full_path_win32_test.cpp
  platform/append_file_win32_test.cpp
  platform/held_directory_win32_test.cpp
  platform/system_text_win32_test.cpp
  messages/format_text_win32_test.cpp
)

add_layer_libraries(${CORE_SOURCES} ${WINDOWS_SOURCES})

# A static library leaves a call it cannot resolve to whoever links it last, so an upward
# call would link all the same. A DLL must resolve every call when it is linked: each
# folder's whole library is linked into one, with only the folders below it, and a call
# up the stack (or sideways) fails the build there.
file(WRITE ${CMAKE_BINARY_DIR}/layer_check.cpp
     "// Each folder's library, linked alone with those below it.\n")
foreach(layer ${LAYERS})
  add_library(layer_check_${layer} SHARED ${CMAKE_BINARY_DIR}/layer_check.cpp)
  target_link_libraries(layer_check_${layer} PRIVATE -Wl,--whole-archive vel_${layer}
                        -Wl,--no-whole-archive)
  set_target_properties(layer_check_${layer} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-check
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-check)
endforeach()

add_executable(setup WIN32 launcher/main_win32.cpp launcher/setup.rc)
target_link_libraries(setup vel_core)
target_link_options(setup PRIVATE ${STATIC_RUNTIME} ${HARDENING})
set_target_properties(setup PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set_source_files_properties(launcher/setup.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/launcher/setup.manifest)
# setup.exe ships stripped; its debug information stays beside it in setup.exe.debug,
# which the stripped file names (a GNU debug link) for crash analysis.
add_custom_command(TARGET setup POST_BUILD
  COMMAND ${PE_OBJCOPY} --only-keep-debug setup.exe setup.exe.debug
  COMMAND ${PE_STRIP} --strip-all setup.exe
  COMMAND ${PE_OBJCOPY} --add-gnu-debuglink=setup.exe.debug setup.exe
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  VERBATIM)

# The medium checker for Windows build machines; the native build makes the other one.
add_executable(velcheck tools/velcheck/velcheck_main.cpp tools/velcheck/medium_check.cpp
                        tools/velcheck/medium_file.cpp tools/velcheck/medium_seal_file.cpp
                        ${VELCHECK_SOURCES})
target_link_libraries(velcheck vel_core)
target_link_options(velcheck PRIVATE ${STATIC_RUNTIME} ${HARDENING})
set_target_properties(velcheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The catalogue compiler runs on the build machine, so it is built with the host compiler.
find_program(HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(NLS_COMPILER ${CMAKE_BINARY_DIR}/host/nls_compiler)
set(NLS_COMPILER_SOURCES
  tools/nls_compiler.cpp messages/catalogue_source.cpp messages/format_check.cpp
  messages/message_keys.cpp)
list(TRANSFORM NLS_COMPILER_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE NLS_COMPILER_INPUTS)
# The keys and their arguments are a header: a changed key must rebuild the compiler.
set(NLS_COMPILER_HEADERS
  ${CMAKE_SOURCE_DIR}/messages/message_key_list.h ${CMAKE_SOURCE_DIR}/messages/message_keys.h)
add_custom_command(
  OUTPUT ${NLS_COMPILER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
  COMMAND ${HOST_CXX} -std=c++17 -O1 -Wall -Wextra -I${CMAKE_SOURCE_DIR} ${NLS_COMPILER_INPUTS}
          -o ${NLS_COMPILER}
  DEPENDS ${NLS_COMPILER_INPUTS} ${NLS_COMPILER_HEADERS}
  COMMENT "Building the host catalogue compiler")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/resource/cons.nls
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resource
  COMMAND ${NLS_COMPILER} ${CMAKE_SOURCE_DIR}/messages/cons_en.txt ${CMAKE_BINARY_DIR}/resource/cons.nls
  DEPENDS ${NLS_COMPILER} ${CMAKE_SOURCE_DIR}/messages/cons_en.txt)
# The German catalogue is complete too: compiled without --partial, a key it lacks fails.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/resource/cons_de.nls
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resource
  COMMAND ${NLS_COMPILER} ${CMAKE_SOURCE_DIR}/messages/cons_de.txt ${CMAKE_BINARY_DIR}/resource/cons_de.nls
  DEPENDS ${NLS_COMPILER} ${CMAKE_SOURCE_DIR}/messages/cons_de.txt)
add_custom_target(catalogues ALL DEPENDS ${CMAKE_BINARY_DIR}/resource/cons.nls
                                         ${CMAKE_BINARY_DIR}/resource/cons_de.nls)

add_executable(windows_tests ${CORE_TESTS} ${WINDOWS_TESTS})
target_link_libraries(windows_tests vel_core GTest::gtest_main)
target_link_options(windows_tests PRIVATE ${STATIC_RUNTIME})

# Test helpers run by the end-to-end tests.
add_executable(exit_code_runner tests/support/exit_code_runner_win32.cpp)
target_include_directories(exit_code_runner PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(exit_code_runner PRIVATE ${STATIC_RUNTIME})
add_library(planted_dll SHARED tests/support/planted_dll_win32.cpp)
target_include_directories(planted_dll PRIVATE ${CMAKE_SOURCE_DIR})
set_target_properties(planted_dll PROPERTIES PREFIX "" OUTPUT_NAME planted)
target_link_options(planted_dll PRIVATE ${STATIC_RUNTIME})
add_executable(dll_loader tests/support/dll_loader_win32.cpp)
target_link_libraries(dll_loader vel_core)
target_link_options(dll_loader PRIVATE ${STATIC_RUNTIME})
add_executable(console_probe WIN32 tests/support/console_probe_win32.cpp)
target_link_libraries(console_probe vel_core)
target_link_options(console_probe PRIVATE ${STATIC_RUNTIME})
add_executable(runtime_probe WIN32 tests/support/runtime_probe_win32.cpp)
target_link_libraries(runtime_probe vel_core)
target_link_options(runtime_probe PRIVATE ${STATIC_RUNTIME})
add_executable(tree_probe tests/support/tree_probe_win32.cpp)
target_link_libraries(tree_probe vel_core)
target_link_options(tree_probe PRIVATE ${STATIC_RUNTIME})
# The profile reader against the system's, on random files (fuzz/).
add_executable(profile_differential fuzz/profile_differential_win32.cpp launcher/setup.rc)
target_link_libraries(profile_differential vel_core)
target_link_options(profile_differential PRIVATE ${STATIC_RUNTIME})
# The benchmark's runner and its yardstick launcher (bench/).
add_executable(bench_runner bench/bench_runner_win32.cpp)
target_include_directories(bench_runner PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_runner psapi)
target_link_options(bench_runner PRIVATE ${STATIC_RUNTIME})
add_executable(minimal_launcher WIN32 bench/minimal_launcher_win32.cpp)
target_include_directories(minimal_launcher PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(minimal_launcher PRIVATE ${STATIC_RUNTIME})
# The stand-in for the Java installer: the sample medium's java.exe and javaw.exe.
add_executable(java_stand_in tools/java_stand_in_win32.cpp)
target_include_directories(java_stand_in PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(java_stand_in PRIVATE ${STATIC_RUNTIME})
set_target_properties(exit_code_runner dll_loader planted_dll console_probe runtime_probe
  tree_probe java_stand_in bench_runner minimal_launcher profile_differential PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-support)

find_program(PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

# The unzip.exe that setup.exe runs: UnZip 6.0 from the sources kept in third_party/unzip,
# with Debian's patches and ours.
set(UNZIP_THIRD_PARTY ${CMAKE_SOURCE_DIR}/third_party/unzip)
file(GLOB UNZIP_PATCHES CONFIGURE_DEPENDS ${UNZIP_THIRD_PARTY}/patches/*.patch)
# UnZip's version banner shows its build date: the build gives it SOURCE_DATE_EPOCH, the
# time of the commit built, so two clones of one commit agree. A tree that is not a git
# checkout takes the constant. A new commit configures the build again.
set(VEL_SOURCE_DATE_EPOCH 1796900627)
execute_process(COMMAND git rev-parse --show-toplevel --absolute-git-dir
                WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} RESULT_VARIABLE git_result
                OUTPUT_VARIABLE git_dirs OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(git_result EQUAL 0)
  string(REPLACE "\n" ";" git_dirs "${git_dirs}")
  list(GET git_dirs 0 git_top)
  list(GET git_dirs 1 git_dir)
  file(REAL_PATH ${git_top} git_top)
  file(REAL_PATH ${CMAKE_SOURCE_DIR} source_real)
  if(git_top STREQUAL source_real)
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(commit_time MATCHES "^[0-9]+$")
      set(VEL_SOURCE_DATE_EPOCH ${commit_time})
    endif()
    if(EXISTS ${git_dir}/logs/HEAD)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
    endif()
  endif()
endif()
message(STATUS "SOURCE_DATE_EPOCH of the Windows build: ${VEL_SOURCE_DATE_EPOCH}")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/unzip/unzip.exe
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VEL_SOURCE_DATE_EPOCH}
          bash ${CMAKE_SOURCE_DIR}/scripts/build-unzip.sh ${CMAKE_BINARY_DIR}/unzip
          ${CMAKE_C_COMPILER} ${CMAKE_RC_COMPILER}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/build-unzip.sh ${UNZIP_THIRD_PARTY}/SHA256SUMS
          ${UNZIP_THIRD_PARTY}/unzip_6.0.orig.tar.gz
          ${UNZIP_THIRD_PARTY}/unzip_6.0-28+deb12u1.debian.tar.xz ${UNZIP_PATCHES}
  COMMENT "Building unzip.exe from UnZip 6.0 with Debian's patches and ours")
add_custom_target(unzip ALL DEPENDS ${CMAKE_BINARY_DIR}/unzip/unzip.exe)

# Deflated jars for the Windows tests of the archive expansion.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/test-support/jars/stamp
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tools/make_medium.py test-jars
          ${CMAKE_BINARY_DIR}/test-support/jars
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_medium.py
  COMMENT "Writing the test jars")
add_custom_target(test_jars DEPENDS ${CMAKE_BINARY_DIR}/test-support/jars/stamp)

set(WINE_ENV WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix)
add_test(NAME profile_differential COMMAND profile_differential 3000)
set_tests_properties(profile_differential PROPERTIES ENVIRONMENT "${WINE_ENV}" TIMEOUT 600)
add_test(NAME windows_unit COMMAND windows_tests)
set_tests_properties(windows_unit PROPERTIES ENVIRONMENT "${WINE_ENV}" TIMEOUT 600)

add_test(NAME e2e
  COMMAND ${PYTHON3} -m pytest -q -p no:cacheprovider ${CMAKE_SOURCE_DIR}/tests/e2e
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(e2e PROPERTIES
  ENVIRONMENT "${WINE_ENV};VEL_BUILD_DIR=${CMAKE_BINARY_DIR};VEL_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
  TIMEOUT 1800)
# The benchmark on small trees, so that it keeps working; it asserts no timing.
add_test(NAME bench_smoke
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/bench/bench.py --smoke --build ${CMAKE_BINARY_DIR})
set_tests_properties(bench_smoke PROPERTIES ENVIRONMENT "${WINE_ENV}" TIMEOUT 900)
add_dependencies(windows_tests java_stand_in unzip test_jars)
