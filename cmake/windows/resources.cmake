# vistrel.exe's own resources, built with the toolchain's windres: the icon
# Explorer and the task bar show before Qt sets one (every size Windows asks
# for, drawn from data/vistrel.svg), the version on its Properties page, and
# the manifest (Windows 10 and 11, per-monitor DPI awareness as Qt sets it,
# run as the user who starts it).
enable_language(RC)
find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(ico_folder ${CMAKE_BINARY_DIR}/icons/windows)
set(ico_pngs)
foreach(size 16 20 24 32 40 48 64 256)
  set(png ${ico_folder}/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ico_folder}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${vistrel_icon_svg}
    DEPENDS ${vistrel_icon_svg}
    VERBATIM)
  list(APPEND ico_pngs ${png})
endforeach()
set(VISTREL_ICO ${ico_folder}/vistrel.ico)
add_custom_command(OUTPUT ${VISTREL_ICO}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/make-ico.py ${VISTREL_ICO} ${ico_pngs}
  DEPENDS ${ico_pngs} ${CMAKE_CURRENT_LIST_DIR}/make-ico.py
  COMMENT "Packing the Windows icon"
  VERBATIM)
add_custom_target(vistrel_ico DEPENDS ${VISTREL_ICO})

# The version's numbers for the fields that take only numbers, the letter
# of a release counted as the third: 4.8f is 4.8.6.0, 4.8 is 4.8.0.0. An
# installer replaces a file only by a higher version and upgrades only to a
# higher product version, so 4.8g must count above 4.8f.
string(REGEX MATCH "^([0-9.]+)([a-z]?)" version_match "${VISTREL_VERSION}")
set(version_letter "${CMAKE_MATCH_2}")
string(REGEX REPLACE "\\.$" "" VISTREL_VERSION_NUMBERS "${CMAKE_MATCH_1}")
string(REPLACE "." ";" version_parts "${VISTREL_VERSION_NUMBERS}")
list(LENGTH version_parts count)
if(version_letter AND count EQUAL 2)
  string(FIND "-abcdefghijklmnopqrstuvwxyz" "${version_letter}" letter_number)
  list(APPEND version_parts ${letter_number})
  set(count 3)
endif()
while(count LESS 4)
  list(APPEND version_parts 0)
  math(EXPR count "${count} + 1")
endwhile()
list(JOIN version_parts "," VISTREL_VERSION_COMMAS)
list(JOIN version_parts "." VISTREL_VERSION_NUMBERS)

set(VISTREL_MANIFEST ${CMAKE_BINARY_DIR}/windows/vistrel.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vistrel.manifest ${VISTREL_MANIFEST} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vistrel.rc ${CMAKE_BINARY_DIR}/windows/vistrel.rc @ONLY)
target_sources(vistrel PRIVATE ${CMAKE_BINARY_DIR}/windows/vistrel.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/windows/vistrel.rc PROPERTIES
  OBJECT_DEPENDS "${VISTREL_ICO};${VISTREL_MANIFEST}")
add_dependencies(vistrel vistrel_ico)
