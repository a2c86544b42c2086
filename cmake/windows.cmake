# The program on Windows, built with mingw-w64 against a Qt built for
# Windows as DLLs.
#
# In the build tree, each program that links Qt finds the DLLs it loads
# (Qt's and the compiler's runtime) and Qt's plugin folders beside itself,
# as links, the way Windows looks for them. The folder and zip a Windows
# user unpacks and runs are made from copies (cmake/windows-package.cmake).

# Where the compiler's runtime DLLs are: the C++ library and the unwinder
# beside the compiler, the thread library with the mingw-w64 libraries.
set(vistrel_runtime_folders)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
    message(FATAL_ERROR "The compiler's runtime has no ${dll}")
  endif()
  get_filename_component(dll_folder "${dll_path}" DIRECTORY)
  get_filename_component(dll_folder "${dll_folder}" REALPATH)
  list(APPEND vistrel_runtime_folders "${dll_folder}")
endforeach()
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(vistrel_qt_bin "${qt_core_dll}" DIRECTORY)
get_target_property(qt_windows_plugin Qt6::QWindowsIntegrationPlugin IMPORTED_LOCATION_RELEASE)
get_filename_component(vistrel_qt_platforms "${qt_windows_plugin}" DIRECTORY)
get_target_property(qt_style_plugin Qt6::QWindowsVistaStylePlugin IMPORTED_LOCATION_RELEASE)
get_filename_component(vistrel_qt_styles "${qt_style_plugin}" DIRECTORY)

# Links to every DLL of Qt and of the compiler's runtime, and to the
# platforms and styles plugin folders, beside the target's executable.
function(vistrel_windows_runtime target)
  file(GLOB dlls ${vistrel_qt_bin}/*.dll)
  foreach(folder IN LISTS vistrel_runtime_folders)
    list(APPEND dlls ${folder}/libstdc++-6.dll ${folder}/libgcc_s_seh-1.dll ${folder}/libwinpthread-1.dll)
  endforeach()
  set(commands)
  foreach(dll IN LISTS dlls)
    if(EXISTS ${dll})
      get_filename_component(name ${dll} NAME)
      list(APPEND commands COMMAND ${CMAKE_COMMAND} -E create_symlink ${dll} $<TARGET_FILE_DIR:${target}>/${name})
    endif()
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD ${commands}
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${vistrel_qt_platforms} $<TARGET_FILE_DIR:${target}>/platforms
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${vistrel_qt_styles} $<TARGET_FILE_DIR:${target}>/styles
    VERBATIM)
endfunction()

vistrel_windows_runtime(vistrel)
include(${CMAKE_CURRENT_LIST_DIR}/windows/resources.cmake)

# The folder and the zip: build/<...>/packages/vistrel-<version>-win64[.zip].
set(VISTREL_WINDOWS_PACKAGE ${CMAKE_BINARY_DIR}/packages/vistrel-${VISTREL_VERSION}-win64)
find_program(VISTREL_MINGW_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
find_program(VISTREL_MINGW_STRIP x86_64-w64-mingw32-strip REQUIRED)
set(vistrel_package_inputs ${CMAKE_BINARY_DIR}/windows-package-inputs.cmake)
file(GENERATE OUTPUT ${vistrel_package_inputs} CONTENT "\
set(EXECUTABLE [[$<TARGET_FILE:vistrel>]])
set(PLUGINS [[platforms/${qt_windows_plugin}]] [[styles/${qt_style_plugin}]])
set(DOCUMENTS [[${vistrel_documents}]])
set(SEARCH [[${vistrel_qt_bin}]] [[${vistrel_runtime_folders}]])
set(OBJDUMP [[${VISTREL_MINGW_OBJDUMP}]])
set(STRIP [[${VISTREL_MINGW_STRIP}]])
set(FOLDER [[${VISTREL_WINDOWS_PACKAGE}]])
")
add_custom_command(OUTPUT ${VISTREL_WINDOWS_PACKAGE}.zip
  COMMAND ${CMAKE_COMMAND} -DINPUTS=${vistrel_package_inputs} -P ${CMAKE_SOURCE_DIR}/cmake/windows-package.cmake
  DEPENDS vistrel ${vistrel_documents} ${vistrel_package_inputs} ${CMAKE_SOURCE_DIR}/cmake/windows-package.cmake
  COMMENT "Making the Windows folder and zip"
  VERBATIM)
add_custom_target(windows_package ALL DEPENDS ${VISTREL_WINDOWS_PACKAGE}.zip)

# The per-user installer beside the zip, from the same folder:
# vistrel-<version>-win64.msi (cmake/windows/msi.cmake). Built with wixl and
# msibuild (Debian's wixl and msitools); without them, no installer.
find_program(VISTREL_WIXL wixl NO_CMAKE_FIND_ROOT_PATH)
find_program(VISTREL_MSIBUILD msibuild NO_CMAKE_FIND_ROOT_PATH)
if(VISTREL_WIXL AND VISTREL_MSIBUILD)
  set(VISTREL_WINDOWS_INSTALLER ${VISTREL_WINDOWS_PACKAGE}.msi)
  set(VISTREL_INSTALLER_INPUTS ${CMAKE_BINARY_DIR}/windows-installer-inputs.cmake)
  file(GENERATE OUTPUT ${VISTREL_INSTALLER_INPUTS} CONTENT "\
set(FOLDER [[${VISTREL_WINDOWS_PACKAGE}]])
set(VERSION [[${VISTREL_VERSION_NUMBERS}]])
set(ICON [[${VISTREL_ICO}]])
set(WXS [[${CMAKE_SOURCE_DIR}/cmake/windows/vistrel.wxs]])
set(WIXL [[${VISTREL_WIXL}]])
set(MSIBUILD [[${VISTREL_MSIBUILD}]])
set(OUTPUT [[${VISTREL_WINDOWS_INSTALLER}]])
")
  add_custom_command(OUTPUT ${VISTREL_WINDOWS_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -DINPUTS=${VISTREL_INSTALLER_INPUTS} -P ${CMAKE_SOURCE_DIR}/cmake/windows/msi.cmake
    DEPENDS ${VISTREL_WINDOWS_PACKAGE}.zip ${VISTREL_ICO} ${VISTREL_INSTALLER_INPUTS}
      ${CMAKE_SOURCE_DIR}/cmake/windows/msi.cmake ${CMAKE_SOURCE_DIR}/cmake/windows/vistrel.wxs
    COMMENT "Making the Windows installer"
    VERBATIM)
  add_custom_target(windows_installer ALL DEPENDS ${VISTREL_WINDOWS_INSTALLER})
else()
  message(STATUS "No wixl or msibuild (Debian's wixl and msitools): no Windows installer")
endif()
