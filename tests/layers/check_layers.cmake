# Fails when the source tree leaves its plan: the folders of src/ are its layers, lowest first,
# and a file may include only from its own layer and the ones below it; the core includes no Qt.
# Nothing else lives in src/ besides the layers' folders.
#
#   cmake -DSOURCE_DIR=<the project's src folder> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(layers core forms windows app)

file(GLOB entries RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(entry IN LISTS entries)
  if(NOT entry IN_LIST layers AND NOT entry STREQUAL "CMakeLists.txt")
    list(APPEND problems "src/${entry} belongs to no layer")
  endif()
endforeach()

foreach(layer IN LISTS layers)
  list(FIND layers ${layer} rank)
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${layer}/*.h
       ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*[<\"]([A-Za-z_]+)/")
        list(FIND layers ${CMAKE_MATCH_1} included)
        if(included GREATER rank)
          list(APPEND problems "src/${file}: ${line} reaches up from ${layer} to ${CMAKE_MATCH_1}")
        endif()
      endif()
      if(layer STREQUAL "core" AND line MATCHES "#[ \t]*include[ \t]*[<\"](Q|qt|xcb)")
        list(APPEND problems "src/${file}: ${line} brings a window system into the core")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "The layers of src/ are crossed:\n  ${report}")
endif()
message(STATUS "src/: every include runs down the layers core <- forms <- windows <- app")
