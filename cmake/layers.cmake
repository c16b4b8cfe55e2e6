# One static library per layer of src/. Each layer sees only its own headers and those of the
# layers it links, through an include folder of its own under the build tree that shows just
# its folder: an include across the grain does not compile, a call across it does not link.

# qz_layer_headers(<target> <folder under src>): makes the headers of src/<folder> visible to
# <target> and to everything that links it, as "<folder>/<name>.h". With FILES_ONLY, only the
# headers directly in the folder, not those of its subfolders (the platform's interfaces
# without its backends).
function(qz_layer_headers target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "FILES_ONLY" "" "")
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  if(arg_FILES_ONLY)
    file(MAKE_DIRECTORY ${root}/${folder})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    foreach(header ${headers})
      get_filename_component(name ${header} NAME)
      file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
    endforeach()
  else()
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# qz_layer(<target> <folder under src> [FILES_ONLY] [LINKS <layers below>...]): the library
# of every .cpp in src/<folder> (not main.cpp), linked to the layers below it.
function(qz_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "FILES_ONLY" "" "LINKS")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  add_library(${target} STATIC ${sources})
  if(arg_FILES_ONLY)
    qz_layer_headers(${target} ${folder} FILES_ONLY)
  else()
    qz_layer_headers(${target} ${folder})
  endif()
  target_link_libraries(${target} PUBLIC ${arg_LINKS})
  qz_apply_options(${target})
endfunction()
