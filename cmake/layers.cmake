# meter_layer(<layer> <source>...): the library meter_<layer> of the sources
# of one layer of the program (meter/<layer>/).
#
# The program is four layers, each a library that links only downward:
#   core <- platform <- output <- windows
# A layer's headers are reached as "<layer>/<file>.h" through a folder of its
# own in the build tree that holds only that layer, so a layer sees its own
# headers and, through what it links, those of the layers below it; an include
# against the layering finds no file and fails to build.
include(${CMAKE_CURRENT_LIST_DIR}/sources.cmake)

set(METER_LAYERS_SOURCE ${CMAKE_CURRENT_LIST_DIR}/../meter)
cmake_path(NORMAL_PATH METER_LAYERS_SOURCE)

function(meter_layer layer)
  if(NOT ARGN)
    message(FATAL_ERROR "meter_layer(${layer}): no sources")
  endif()
  meter_require_files(${ARGN})
  set(root ${CMAKE_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${METER_LAYERS_SOURCE}/${layer} ${root}/${layer} SYMBOLIC)
  add_library(meter_${layer} STATIC ${ARGN})
  target_include_directories(meter_${layer} PUBLIC ${root})
endfunction()
