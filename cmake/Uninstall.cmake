# Removes what the last `cmake --install` from a build folder put there, by the two lists that
# install left in the build folder:
#   install_manifest.txt   every installed file (written by CMake)
#   install_folders.txt    the folders that install created, under which DESTDIR
# Only the listed files are removed, and a listed folder only when it is empty then; the two lists
# go last. DESTDIR is honoured as by the install, and must be the one the install used.
#
#   cmake -DQUORVAN_BUILD_DIR=<build folder> -P cmake/Uninstall.cmake
# (the build's `uninstall` target runs exactly this).
cmake_minimum_required(VERSION 3.20)

set(manifest "${QUORVAN_BUILD_DIR}/install_manifest.txt")
set(record "${QUORVAN_BUILD_DIR}/install_folders.txt")
set(destdir "$ENV{DESTDIR}")
if(NOT EXISTS "${manifest}")
  message(FATAL_ERROR "uninstall: ${manifest} does not exist: nothing was installed from this build folder")
endif()

set(folders)
if(EXISTS "${record}")
  file(STRINGS "${record}" folders)
  list(POP_FRONT folders header)
  # The manifest names files without DESTDIR: under another DESTDIR they would be other files.
  if(NOT header STREQUAL "DESTDIR=${destdir}")
    string(REPLACE "DESTDIR=" "" installed_under "${header}")
    message(FATAL_ERROR "uninstall: the install used DESTDIR='${installed_under}', not '${destdir}'; "
                        "run uninstall with the same DESTDIR")
  endif()
endif()

file(STRINGS "${manifest}" files)
set(removed 0)
set(absent 0)
foreach(file IN LISTS files)
  if(NOT IS_ABSOLUTE "${file}")
    message(WARNING "uninstall: skipped '${file}': not an absolute path")
    continue()
  endif()
  set(path "${destdir}${file}")
  if(IS_SYMLINK "${path}" OR (EXISTS "${path}" AND NOT IS_DIRECTORY "${path}"))
    message(STATUS "Removing: ${path}")
    file(REMOVE "${path}")
    math(EXPR removed "${removed} + 1")
  elseif(IS_DIRECTORY "${path}")
    message(WARNING "uninstall: kept ${path}: the install put a file there, now it is a folder")
  else()
    message(STATUS "Not there: ${path}")
    math(EXPR absent "${absent} + 1")
  endif()
endforeach()

# Deepest first, so that a folder's own folders are gone before it is tried. rmdir removes only
# empty folders: a folder that holds anything else stays.
list(SORT folders ORDER DESCENDING)
set(removed_folders 0)
foreach(folder IN LISTS folders)
  set(path "${destdir}${folder}")
  if(NOT IS_ABSOLUTE "${folder}" OR NOT IS_DIRECTORY "${path}" OR IS_SYMLINK "${path}")
    continue()
  endif()
  execute_process(COMMAND rmdir -- "${path}" RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    message(STATUS "Removing folder: ${path}")
    math(EXPR removed_folders "${removed_folders} + 1")
  else()
    message(STATUS "Keeping folder (not empty): ${path}")
  endif()
endforeach()
# Both lists are used up: run again, uninstall finds nothing to remove instead of files that
# something else may have put at the same places since.
file(REMOVE "${record}" "${manifest}")
message(STATUS "uninstall: ${removed} files and ${removed_folders} folders removed, ${absent} files were not there")
