# Installing (cmake --install, and the Debian package made from it): the
# executable in bin/, its readme and catalogue in share/vistrel/ (where an
# installed copy looks for them, see src/common/installed_layout.h), and what a
# Linux desktop looks for to list the program in its menus: a desktop entry,
# the icon in the hicolor theme and AppStream metadata.
include(GNUInstallDirs)

# The desktop entry and the metadata are named after it, as AppStream asks.
set(VISTREL_APP_ID "com.kessimer.Vistrel" CACHE STRING "Reverse-DNS name of the desktop entry and metadata")

install(TARGETS vistrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${vistrel_documents} DESTINATION ${CMAKE_INSTALL_DATADIR}/vistrel)

install(FILES ${vistrel_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS vistrel_icon_sizes)
  install(FILES ${vistrel_icon_folder}/${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME vistrel.png)
endforeach()

configure_file(${CMAKE_SOURCE_DIR}/data/vistrel.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/install/${VISTREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/${VISTREL_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The entry's Exec is the installed executable's full path, known only when
# installing: cmake --install --prefix and the package choose the prefix then.
install(CODE "
  set(VISTREL_APP_ID [[${VISTREL_APP_ID}]])
  set(VISTREL_EXEC_PATH \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vistrel\")
  set(VISTREL_ENTRY_TEMPLATE [[${CMAKE_SOURCE_DIR}/data/vistrel.desktop.in]])
  set(VISTREL_ENTRY_STAGE [[${CMAKE_BINARY_DIR}/install]])
  set(VISTREL_ENTRY_DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  include([[${CMAKE_CURRENT_LIST_DIR}/desktop_entry.cmake]])
")
