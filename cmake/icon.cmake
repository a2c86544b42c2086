# The program's icon is drawn once, as SVG (data/vistrel.svg). The bitmap
# sizes a desktop asks for are made from it at build time; the program
# carries them as its window icon, and the install step puts them into the
# icon theme.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

set(vistrel_icon_svg ${CMAKE_SOURCE_DIR}/data/vistrel.svg)
set(vistrel_icon_folder ${CMAKE_BINARY_DIR}/icons/vistrel)
set(vistrel_icon_sizes 16 32 48 64 128)
set(vistrel_icon_pngs)
foreach(size IN LISTS vistrel_icon_sizes)
  set(png ${vistrel_icon_folder}/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${vistrel_icon_folder}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${vistrel_icon_svg}
    DEPENDS ${vistrel_icon_svg}
    COMMENT "Drawing the ${size} px icon"
    VERBATIM)
  list(APPEND vistrel_icon_pngs ${png})
endforeach()

qt_add_resources(vistrel_common vistrel_icon
  PREFIX /icons/vistrel
  BASE ${vistrel_icon_folder}
  FILES ${vistrel_icon_pngs})
