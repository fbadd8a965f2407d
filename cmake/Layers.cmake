# The program's layers are libraries that see only what they may use. A
# layer's sources find project headers through an include folder of its own
# in the build tree, which links to the folders and headers the layer may
# include and to nothing else; a header of a layer above fails to be found.
# Programs and tests sit on top and see the whole source tree.

# Headers every layer may include: the machine info record and the small
# text helpers beneath all layers.
set(MC_RECORD_HEADERS app/machine_info.h app/show_info_flag.h app/decimal_text.h app/white_space.h)

# Gives `target` an include folder that holds only `items` (folders or
# header files, relative to the source tree).
function(mc_header_view target)
  set(view "${CMAKE_BINARY_DIR}/header-views/${target}")
  file(REMOVE_RECURSE "${view}")
  foreach(item IN LISTS ARGN)
    if(NOT EXISTS "${CMAKE_SOURCE_DIR}/${item}")
      message(FATAL_ERROR "${target} is to see ${item}, which does not exist")
    endif()
    get_filename_component(parent "${view}/${item}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${item}" "${view}/${item}" SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE "${view}")
endfunction()

#   mc_layer(name [OBJECT] SOURCES files... SEES items... LINKS targets...)
# A static (or object) library of one layer.
function(mc_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "OBJECT" "" "SOURCES;SEES;LINKS")
  if(arg_OBJECT)
    add_library(${name} OBJECT ${arg_SOURCES})
  else()
    add_library(${name} STATIC ${arg_SOURCES})
  endif()
  mc_header_view(${name} ${arg_SEES})
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
endfunction()

# Programs, tests and benchmarks: everything.
function(mc_sees_everything target)
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
endfunction()
