# The fuzz targets as tests of the main build: fuzz/CMakeLists.txt is built by clang as a
# project of its own in <build>/fuzz, and each target runs for ten seconds from its seed
# corpus, with a fixed seed.
include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)

find_program(MOTORECKON_FUZZ_COMPILER clang++-14)
if(NOT MOTORECKON_FUZZ_COMPILER)
  message(FATAL_ERROR "The fuzz tests need clang++-14: install the Debian packages clang-14 and "
                      "libclang-rt-14-dev (scripts/install-deps.sh test installs them), or "
                      "configure without -DMOTORECKON_FUZZ=ON")
endif()

set(MOTORECKON_FUZZ_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(fuzz_binary_dir ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(motoreckon_fuzz
  SOURCE_DIR ${MOTORECKON_FUZZ_SOURCE_DIR}
  BINARY_DIR ${fuzz_binary_dir}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${MOTORECKON_FUZZ_COMPILER}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON)

motoreckon_add_fuzz_tests(${fuzz_binary_dir} 10 1 ON)
