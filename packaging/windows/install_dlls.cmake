# Run when installing: every DLL that the program and its plugins import
# from Qt's and MinGW's folders, found by CMake's own reading of the imports,
# installed beside the program. The DLLs Windows has are in none of these
# folders and stay out.
#   DENTIVEL_EXE, DENTIVEL_PLUGINS: what is read; DENTIVEL_DLL_FOLDERS: where
#   DLLs are looked for; DENTIVEL_DLL_NAMES: a scratch folder;
#   DENTIVEL_OBJDUMP, DENTIVEL_STRIP: the cross binutils.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${DENTIVEL_OBJDUMP}")

# CMake 3.25 looks an imported name up in lower case, which a Linux file
# system tells apart from the name of the DLL (Qt6Core.dll), and CMake 3.31
# under the name as imported: each DLL is offered under both, and installed
# under its own.
file(REMOVE_RECURSE "${DENTIVEL_DLL_NAMES}")
file(MAKE_DIRECTORY "${DENTIVEL_DLL_NAMES}")
foreach(folder IN LISTS DENTIVEL_DLL_FOLDERS)
  file(GLOB dlls "${folder}/*.dll")
  foreach(dll IN LISTS dlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" lower)
    foreach(offered IN ITEMS "${name}" "${lower}")
      if(NOT EXISTS "${DENTIVEL_DLL_NAMES}/${offered}")
        file(CREATE_LINK "${dll}" "${DENTIVEL_DLL_NAMES}/${offered}" SYMBOLIC)
      endif()
    endforeach()
  endforeach()
endforeach()
file(GET_RUNTIME_DEPENDENCIES
  RESOLVED_DEPENDENCIES_VAR found
  UNRESOLVED_DEPENDENCIES_VAR windows_own
  EXECUTABLES "${DENTIVEL_EXE}"
  MODULES ${DENTIVEL_PLUGINS}
  DIRECTORIES "${DENTIVEL_DLL_NAMES}")
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
foreach(link IN LISTS found)
  file(REAL_PATH "${link}" dll)
  file(INSTALL DESTINATION "${folder}" TYPE SHARED_LIBRARY FILES "${dll}")
endforeach()
# Neither Qt's release build nor MinGW's runtime needs its symbols to run.
if(CMAKE_INSTALL_DO_STRIP)
  file(GLOB_RECURSE installed "${folder}/*.dll")
  foreach(dll IN LISTS installed)
    execute_process(COMMAND "${DENTIVEL_STRIP}" --strip-unneeded "${dll}" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
