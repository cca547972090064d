# A layer's headers are found from the repository root ("platform/ui/form.h"),
# but only by the layer itself and the targets that link it: each layer gets a
# header root of its own in the build tree, holding one link to its folder.
# An include of a layer that the including layer does not link then fails to
# compile ("No such file or directory"), whatever the header holds.
function(tolvika_layer_headers name scope)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/layer_headers/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${name} ${scope} ${root})
  set_property(GLOBAL APPEND PROPERTY TOLVIKA_LAYERS ${name})
endfunction()

# One static library per layer, made of every .cpp and .h directly in the
# folder that calls it, so that a file added to a layer's folder is built
# without touching CMake. A layer links only what it may use.
function(tolvika_layer name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  tolvika_layer_headers(${name} PUBLIC)
endfunction()

# Every file below `folder` (README and Markdown aside) compiled into the
# layer as a Qt resource under ":/<folder>/".
function(tolvika_layer_resources name folder)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*)
  list(FILTER files EXCLUDE REGEX "/README[^/]*$|\\.md$")
  if(files)
    qt_add_resources(${name} ${name}_resources PREFIX "/" BASE ${CMAKE_SOURCE_DIR} FILES ${files})
  endif()
endfunction()
