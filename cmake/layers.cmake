# Layers that the build enforces.
#
# Every library of the program is one layer, made of source folders. A target
# compiles against a tree of its own, build/visible/<target>, which holds
# links to the folders of its own layer and of the layers below that it uses,
# and nothing else. An include of a header from a layer above (or beside) is
# therefore "No such file or directory", not a silent dependency.
#
# The folder "src/platform" stands for the platform interfaces only, the
# headers directly inside it; its backends are folders of their own
# ("src/platform/sim", "src/platform/page", ...).

set(PREVOD_VISIBLE_ROOT ${CMAKE_BINARY_DIR}/visible)

# The include path of a folder: "src/base" is included as "base/...",
# "services/translator" as "services/translator/...".
function(_prevod_include_path folder out)
  string(REGEX REPLACE "^src/" "" path "${folder}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

function(_prevod_link source destination)
  get_filename_component(parent "${destination}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(CREATE_LINK "${source}" "${destination}" SYMBOLIC)
endfunction()

# prevod_sees(<target> <layer>...): <target> sees the folders of the layers.
function(prevod_sees target)
  set(folders "")
  foreach(layer IN LISTS ARGN)
    get_target_property(layer_folders ${layer} PREVOD_FOLDERS)
    list(APPEND folders ${layer_folders})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(root "${PREVOD_VISIBLE_ROOT}/${target}")
  file(REMOVE_RECURSE "${root}")
  file(MAKE_DIRECTORY "${root}")
  foreach(folder IN LISTS folders)
    _prevod_include_path("${folder}" path)
    if(folder STREQUAL "src/platform")
      file(GLOB interfaces CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/platform/*.h")
      foreach(header IN LISTS interfaces)
        get_filename_component(name "${header}" NAME)
        _prevod_link("${header}" "${root}/platform/${name}")
      endforeach()
    else()
      _prevod_link("${PROJECT_SOURCE_DIR}/${folder}" "${root}/${path}")
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE "${root}")
endfunction()

# prevod_layer(<name> FOLDERS <folder>... SOURCES <file>... [USES <layer>...]
#              [LINKS <library>...])
function(prevod_layer name)
  cmake_parse_arguments(LAYER "" "" "FOLDERS;SOURCES;USES;LINKS" ${ARGN})
  add_library(${name} STATIC ${LAYER_SOURCES})
  set(folders ${LAYER_FOLDERS})
  foreach(layer IN LISTS LAYER_USES)
    get_target_property(used_folders ${layer} PREVOD_FOLDERS)
    list(APPEND folders ${used_folders})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_target_properties(${name} PROPERTIES PREVOD_FOLDERS "${folders}")
  prevod_sees(${name} ${name})
  target_link_libraries(${name} PUBLIC ${LAYER_USES} ${LAYER_LINKS})
endfunction()
