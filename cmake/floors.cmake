# Each floor's library sees, through a folder of links made here, the headers
# of its own floor and, by linking, those of the floors below; src/ itself is
# on no include path. A header belongs to the library that compiles the
# source file beside it of the same name, or else to the floor of its folder.

set(vistrel_floor_libraries)
set(vistrel_folder_floors)
foreach(floor IN LISTS VISTREL_FLOORS)
  string(REGEX MATCHALL "[^ ]+" words "${floor}")
  list(POP_FRONT words library)
  if(TARGET ${library} AND NOT library STREQUAL "vistrel")
    list(APPEND vistrel_floor_libraries ${library})
    foreach(folder IN LISTS words)
      set(vistrel_folder_floor_${folder} ${library})
    endforeach()
  endif()
endforeach()

# Which library compiles each source file.
foreach(library IN LISTS vistrel_floor_libraries)
  get_target_property(sources ${library} SOURCES)
  foreach(source IN LISTS sources)
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR}/src)
    string(REGEX REPLACE "\\.cpp$" ".h" header "${source}")
    set(vistrel_header_owner_${header} ${library})
  endforeach()
endforeach()

file(GLOB_RECURSE vistrel_headers RELATIVE ${CMAKE_SOURCE_DIR}/src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h)
set(vistrel_floor_views ${CMAKE_BINARY_DIR}/floors)
file(REMOVE_RECURSE ${vistrel_floor_views})
foreach(header IN LISTS vistrel_headers)
  set(owner "${vistrel_header_owner_${CMAKE_SOURCE_DIR}/src/${header}}")
  if(NOT owner)
    string(REGEX REPLACE "/.*" "" folder "${header}")
    set(owner "${vistrel_folder_floor_${folder}}")
  endif()
  if(NOT owner)
    continue() # a floor this build leaves out
  endif()
  get_filename_component(view_folder ${vistrel_floor_views}/${owner}/${header} DIRECTORY)
  file(MAKE_DIRECTORY ${view_folder})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${header} ${vistrel_floor_views}/${owner}/${header} SYMBOLIC COPY_ON_ERROR)
endforeach()
foreach(library IN LISTS vistrel_floor_libraries)
  file(MAKE_DIRECTORY ${vistrel_floor_views}/${library})
  target_include_directories(${library} PUBLIC ${vistrel_floor_views}/${library})
endforeach()
