# Settings and helper functions shared by every component.
option(PROJECT_SANITIZE "Host build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(PROJECT_FUZZ "Host build of the libFuzzer targets (clang)" OFF)

option(PROJECT_WIN_TESTS "Windows build: also the test executables (off for the build that no test runs on)" ON)

# The Windows builds: i686 (the programs as shipped) and x64. Each stages its programs in its own
# folder and links its own libjpeg-turbo.
if(WIN32)
  set(PROJECT_TARGET_WINDOWS ON)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(PROJECT_WIN_ARCH x64)
    set(_dist ${CMAKE_SOURCE_DIR}/dist/x64)
    set(_jpeg jpeg-x64)
  else()
    set(PROJECT_WIN_ARCH i686)
    set(_dist ${CMAKE_SOURCE_DIR}/dist)
    set(_jpeg jpeg)
  endif()
else()
  set(PROJECT_TARGET_WINDOWS OFF)
  set(_dist ${CMAKE_SOURCE_DIR}/dist)
  set(_jpeg jpeg)
endif()

set(PROJECT_DIST_DIR ${_dist} CACHE PATH "Where the programs are staged as a user installs them")
set(PROJECT_DEPS_DIR ${CMAKE_SOURCE_DIR}/.deps CACHE PATH "Project-local dependencies (libjpeg-turbo for the target, pugixml)")
set(PROJECT_JPEG_DIR ${PROJECT_DEPS_DIR}/${_jpeg} CACHE PATH "libjpeg-turbo built for this target")

# Warnings are errors everywhere.
add_compile_options(-Wall -Wextra -Werror -Wno-unused-parameter -Wno-missing-field-initializers)

if(PROJECT_TARGET_WINDOWS)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX
                          NO_DSHOW_STRSAFE)
  # Static runtime: the programs and DLLs need no mingw DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--enable-stdcall-fixup)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}")
elseif(PROJECT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# ctest's emulator for Windows tests: Wine with the prefix of this build's architecture.
set(PROJECT_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh --arch=${PROJECT_WIN_ARCH})

# Every source includes project headers by their path from the top: "framework/ComPtr.h".
include_directories(${CMAKE_SOURCE_DIR})

# GoogleTest/GoogleMock from Debian's sources, built for whichever target this configuration has.
function(project_use_googletest)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(t gtest gtest_main gmock gmock_main)
      target_compile_options(${t} PRIVATE -w)
    endforeach()
    add_library(project_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/TestMain.cpp)
    target_link_libraries(project_test_main PUBLIC gtest)
  endif()
endfunction()

# project_test(NAME sources... LIBS libs...): one test executable, one ctest entry.
# Windows test executables run under Wine through scripts/wine-run.sh (the emulator).
# A run with skipped tests and no failure exits with 77, which ctest reports as skipped; the names
# go to the test's output, where `make test` (scripts/skipped-tests.sh) lists and judges them.
function(project_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(PROJECT_TARGET_WINDOWS AND NOT PROJECT_WIN_TESTS)
    return()
  endif()
  project_use_googletest()
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gmock project_test_main)
  if(PROJECT_TARGET_WINDOWS)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${PROJECT_WINE_RUN}")
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 --skipped_exit_code=77)
  set(labels ${ARG_LABELS})
  if(PROJECT_TARGET_WINDOWS)
    list(APPEND labels wine)
  else()
    list(APPEND labels host)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 300 SKIP_RETURN_CODE 77)
endfunction()

# project_stage(TARGET folder): copies a built program or DLL into dist/<folder>/ after each build.
function(project_stage target folder)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_DIST_DIR}/${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${PROJECT_DIST_DIR}/${folder}/
    VERBATIM)
endfunction()

# libjpeg-turbo built for the target by scripts/setup-deps.sh.
function(project_use_libjpeg)
  if(NOT TARGET jpeg_static)
    add_library(jpeg_static STATIC IMPORTED GLOBAL)
    if(PROJECT_TARGET_WINDOWS)
      set_target_properties(jpeg_static PROPERTIES
        IMPORTED_LOCATION ${PROJECT_JPEG_DIR}/lib/libjpeg.a
        INTERFACE_INCLUDE_DIRECTORIES ${PROJECT_JPEG_DIR}/include)
    else()
      find_library(HOST_JPEG jpeg REQUIRED)
      set_target_properties(jpeg_static PROPERTIES IMPORTED_LOCATION ${HOST_JPEG})
    endif()
  endif()
endfunction()

# project_benchmark(NAME sources... LIBS libs...): a Google Benchmark executable of the host build.
# `make bench` runs every one of them (scripts/bench.sh) and prints one table.
function(project_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(PROJECT_TARGET_WINDOWS OR PROJECT_SANITIZE)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
  # `cmake --build <folder> --target benchmarks` builds them without the tests.
  if(NOT TARGET benchmarks)
    add_custom_target(benchmarks)
  endif()
  add_dependencies(benchmarks ${name})
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
macro(project_add_subfolders)
  file(GLOB _children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _children)
  foreach(_child IN LISTS _children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${_child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt)
      add_subdirectory(${_child})
    endif()
  endforeach()
endmacro()
