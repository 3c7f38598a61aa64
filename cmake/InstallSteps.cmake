# Steps that run while Quorvan is being installed (cmake --install, cpack), included by the
# install script that cmake/Install.cmake generates. The prefix is known only now:
# `cmake --install --prefix` and cpack choose their own. Set before including: QUORVAN_GZIP,
# QUORVAN_BUILD_DIR, QUORVAN_DOCDIR and QUORVAN_DATADIR (the last two relative to the prefix,
# or absolute).

# `relative` (a folder under the prefix, or an absolute one) as the absolute folder it names.
function(quorvan_installed_path relative out)
  if(IS_ABSOLUTE "${relative}")
    set(${out} "${relative}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${relative}" PARENT_SCOPE)
  endif()
endfunction()

# The file that lists the folders an install created, beside CMake's install manifest and named
# as it is (a component install has lists of its own).
function(quorvan_folder_record out)
  if(CMAKE_INSTALL_COMPONENT)
    set(${out} "${QUORVAN_BUILD_DIR}/install_folders_${CMAKE_INSTALL_COMPONENT}.txt" PARENT_SCOPE)
  else()
    set(${out} "${QUORVAN_BUILD_DIR}/install_folders.txt" PARENT_SCOPE)
  endif()
endfunction()

# Installs `template` as `name`.gz into `destination`: first the installed paths of this prefix go
# in for @QUORVAN_INSTALLED_DOCDIR@ and @QUORVAN_INSTALLED_DATADIR@, then gzip -9n compresses it
# (no file name or time in the header, as Debian wants manual pages and changelogs; man reads
# them so everywhere).
function(quorvan_install_gzipped template name destination)
  quorvan_installed_path("${QUORVAN_DOCDIR}" QUORVAN_INSTALLED_DOCDIR)
  quorvan_installed_path("${QUORVAN_DATADIR}" QUORVAN_INSTALLED_DATADIR)
  quorvan_installed_path("${destination}" target)
  if(name MATCHES "\\.[1-9]$")
    # In a manual page a plain "-" may come out as a typographic hyphen; a path needs the minus.
    string(REPLACE "-" "\\-" QUORVAN_INSTALLED_DOCDIR "${QUORVAN_INSTALLED_DOCDIR}")
    string(REPLACE "-" "\\-" QUORVAN_INSTALLED_DATADIR "${QUORVAN_INSTALLED_DATADIR}")
  endif()
  set(work "${QUORVAN_BUILD_DIR}/install/for-prefix")
  configure_file("${template}" "${work}/${name}" @ONLY)
  execute_process(COMMAND "${QUORVAN_GZIP}" -9n -c "${work}/${name}" OUTPUT_FILE "${work}/${name}.gz"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip -9n ${work}/${name} failed: ${status}")
  endif()
  file(INSTALL DESTINATION "${target}" TYPE FILE FILES "${work}/${name}.gz")
  # file(INSTALL) lists what it installs in this function's scope; the manifest is written from
  # the caller's.
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

# Before the first file is installed: notes in QUORVAN_MISSING_FOLDERS which of the given folders
# (relative to the prefix) and of their parents do not exist yet under DESTDIR.
function(quorvan_note_missing_folders)
  set(missing)
  foreach(relative IN LISTS ARGN)
    quorvan_installed_path("${relative}" folder)
    while(NOT folder STREQUAL "/" AND NOT folder STREQUAL "")
      if(NOT IS_DIRECTORY "$ENV{DESTDIR}${folder}")
        list(APPEND missing "${folder}")
      endif()
      get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
  endforeach()
  list(REMOVE_DUPLICATES missing)
  set(QUORVAN_MISSING_FOLDERS "${missing}" PARENT_SCOPE)
endfunction()

# After the last file: records the folders noted as missing that exist now, that is the ones this
# install created. The first line of the record names the DESTDIR they lie under. An install again
# into the same DESTDIR finds the folders there and keeps what the earlier one recorded.
function(quorvan_record_created_folders)
  quorvan_folder_record(record)
  set(header "DESTDIR=$ENV{DESTDIR}")
  set(created)
  foreach(folder IN LISTS QUORVAN_MISSING_FOLDERS)
    if(IS_DIRECTORY "$ENV{DESTDIR}${folder}")
      list(APPEND created "${folder}")
    endif()
  endforeach()
  if(EXISTS "${record}")
    file(STRINGS "${record}" earlier)
    list(POP_FRONT earlier earlier_header)
    if(earlier_header STREQUAL header)
      list(APPEND created ${earlier})
    endif()
  endif()
  list(REMOVE_DUPLICATES created)
  list(SORT created)
  string(JOIN "\n" text "${header}" ${created})
  file(WRITE "${record}" "${text}\n")
endfunction()
