# Makes the folder a Windows user unpacks and runs, and its zip (cmake -P,
# from the windows_package target; INPUTS names the file that says where
# everything is). In the folder: the program, the DLLs it and its plugins
# load that are not Windows' own (Qt's and the compiler's runtime, found
# through the programs' imports), the platform and style plugins in their
# folders, and the readme and catalogue. Every program file is stripped:
# debugging symbols are no use to the user and make up most of the bytes.
cmake_minimum_required(VERSION 3.25)
include(${INPUTS})

file(REMOVE_RECURSE ${FOLDER} ${FOLDER}.zip)
file(MAKE_DIRECTORY ${FOLDER})

file(COPY ${EXECUTABLE} ${DOCUMENTS} DESTINATION ${FOLDER})
set(modules)
foreach(plugin IN LISTS PLUGINS)
  string(REGEX MATCH "^[^/]+" plugin_folder ${plugin})
  string(REGEX REPLACE "^[^/]+/" "" plugin_path ${plugin})
  file(COPY ${plugin_path} DESTINATION ${FOLDER}/${plugin_folder})
  list(APPEND modules ${plugin_path})
endforeach()

# The DLLs that the program and the plugins import, and those that these
# import in turn, looked up by name without regard to case as Windows does.
set(available)
foreach(folder IN LISTS SEARCH)
  file(GLOB found ${folder}/*.dll)
  list(APPEND available ${found})
endforeach()
set(pending ${EXECUTABLE} ${modules})
set(copied)
while(pending)
  list(POP_FRONT pending module)
  execute_process(COMMAND ${OBJDUMP} -p ${module} OUTPUT_VARIABLE headers RESULT_VARIABLE read)
  if(NOT read EQUAL 0)
    message(FATAL_ERROR "Could not read the imports of ${module}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" import "${import}")
    string(TOLOWER "${import}" wanted)
    set(match)
    foreach(dll IN LISTS available)
      get_filename_component(dll_name ${dll} NAME)
      string(TOLOWER ${dll_name} dll_name)
      if(dll_name STREQUAL wanted)
        set(match ${dll})
        break()
      endif()
    endforeach()
    if(match)
      if(NOT match IN_LIST copied)
        list(APPEND copied ${match})
        list(APPEND pending ${match})
      endif()
    elseif(wanted MATCHES "^(qt6|lib)")
      # Not Windows' own: a folder without it would not start.
      message(FATAL_ERROR "${module} needs ${import}, which is not in ${SEARCH}")
    endif()
  endforeach()
endwhile()
file(COPY ${copied} DESTINATION ${FOLDER})

file(GLOB_RECURSE program_files ${FOLDER}/*.exe ${FOLDER}/*.dll)
foreach(file IN LISTS program_files)
  execute_process(COMMAND ${STRIP} --strip-unneeded ${file} RESULT_VARIABLE stripped)
  if(NOT stripped EQUAL 0)
    message(FATAL_ERROR "Could not strip ${file}")
  endif()
endforeach()

get_filename_component(parent ${FOLDER} DIRECTORY)
get_filename_component(name ${FOLDER} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${name}.zip --format=zip ${name}
  WORKING_DIRECTORY ${parent} RESULT_VARIABLE zipped)
if(NOT zipped EQUAL 0)
  message(FATAL_ERROR "Could not make ${FOLDER}.zip")
endif()
