# orvello_host_tool(NAME <name> SOURCES <files...> DEPENDS <headers...>): builds a generator program
# for the machine that runs the build, also in the cross (Windows) build, and sets <name>_PATH to it.
# The program is compiled with one host compiler call; it has no dependencies beyond the C++ library.
if(PROJECT_TARGET_WINDOWS)
  find_program(ORVELLO_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
else()
  set(ORVELLO_HOST_CXX ${CMAKE_CXX_COMPILER})
endif()

function(orvello_host_tool)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;DEPENDS" ${ARGN})
  set(exe ${CMAKE_BINARY_DIR}/host-tools/${ARG_NAME})
  add_custom_command(
    OUTPUT ${exe}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
    COMMAND ${ORVELLO_HOST_CXX} -O2 -std=c++17 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR} ${ARG_SOURCES} -o ${exe}
    DEPENDS ${ARG_SOURCES} ${ARG_DEPENDS}
    COMMENT "Building host tool ${ARG_NAME}"
    VERBATIM)
  set(${ARG_NAME}_PATH ${exe} PARENT_SCOPE)
endfunction()
