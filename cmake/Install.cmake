# Installing Quorvan like any desktop program, removing it again, and its Debian package.
#
#   cmake --install <build> --prefix /usr/local          (DESTDIR=... for a staged install)
#   cmake --build <build> --target uninstall             (the same DESTDIR as the install)
#   cd <package build> && cpack -G DEB                    (quorvan_<version>_<arch>.deb, under /usr)
#
# Layout under the prefix:
#   bin/quorvan, bin/quorvan-cli
#   share/quorvan/qrv_e.dat                      found by both programs as <bin>/../share/quorvan/
#   share/applications/<app id>.desktop          window program only
#   share/metainfo/<app id>.metainfo.xml         window program only
#   share/icons/hicolor/{scalable,NxN}/apps/<app id>.{svg,png}
#   share/man/man1/quorvan.1.gz, quorvan-cli.1.gz
#   share/bash-completion/completions/quorvan-cli
#   share/doc/quorvan/copyright, changelog.gz    Debian's machine-readable copyright and changelog
#   share/doc/quorvan/manual/{en,de}/index.html, share/doc/quorvan/screenshot-{en,de}.png and the
#   screenshots the manual shows (working-days dialog, month with holidays), which it finds at ../../
include(GNUInstallDirs)

# The desktop id: the desktop entry, the AppStream component and the icon all carry it, and the
# window program names it as its desktop file name.
set(QUORVAN_APP_ID "io.github.quorvan.Quorvan")
# SPDX expression for the AppStream metadata. No licence has been chosen yet, so none is claimed.
set(QUORVAN_PROJECT_LICENSE "LicenseRef-proprietary")
set(QUORVAN_SCREENSHOT_URL "https://quorvan.github.io/screenshots" CACHE STRING
    "Web folder with screenshot-en.png and screenshot-de.png, named in the AppStream metadata")
# The default is a placeholder in the reserved domain .invalid: whoever publishes a package sets
# an address that reaches them.
set(QUORVAN_PACKAGE_MAINTAINER "The Quorvan developers <quorvan@quorvan.invalid>" CACHE STRING
    "Maintainer of the Debian package, also named in its changelog")
# Build folders configured before keep the earlier placeholder, whose host lintian refuses.
if(QUORVAN_PACKAGE_MAINTAINER STREQUAL "The Quorvan developers <quorvan@invalid>")
  set(QUORVAN_PACKAGE_MAINTAINER "The Quorvan developers <quorvan@quorvan.invalid>" CACHE STRING
      "Maintainer of the Debian package, also named in its changelog" FORCE)
endif()

# The release is the top entry of the Debian changelog: its version must be the project's, and its
# date is the date the manual pages and the AppStream metadata give.
set(quorvan_changelog ${PROJECT_SOURCE_DIR}/data/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${quorvan_changelog})
file(STRINGS ${quorvan_changelog} quorvan_changelog_top REGEX "^quorvan \\(" LIMIT_COUNT 1)
file(STRINGS ${quorvan_changelog} quorvan_changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT quorvan_changelog_top MATCHES "^quorvan \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "data/debian/changelog: the top entry is '${quorvan_changelog_top}', the project "
                      "version is ${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION} on top")
endif()
if(NOT quorvan_changelog_trailer MATCHES ", ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "data/debian/changelog: no date in '${quorvan_changelog_trailer}'")
endif()
set(quorvan_day ${CMAKE_MATCH_1})
set(quorvan_year ${CMAKE_MATCH_3})
set(quorvan_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND quorvan_months "${CMAKE_MATCH_2}" quorvan_month)  # [-1, 11]
if(quorvan_month LESS 0)
  message(FATAL_ERROR "data/debian/changelog: no month in '${quorvan_changelog_trailer}'")
endif()
math(EXPR quorvan_month "${quorvan_month} + 1")  # [1, 12]
if(quorvan_month LESS 10)
  set(quorvan_month "0${quorvan_month}")
endif()
string(LENGTH "${quorvan_day}" quorvan_day_digits)
if(quorvan_day_digits EQUAL 1)
  set(quorvan_day "0${quorvan_day}")
endif()
set(QUORVAN_RELEASE_DATE "${quorvan_year}-${quorvan_month}-${quorvan_day}")

# Debian names the documentation folder after the package, in lower case, whatever the project
# is called.
set(QUORVAN_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvan")
set(quorvan_datadir "${CMAKE_INSTALL_DATAROOTDIR}/quorvan")
set(quorvan_mandir "${CMAKE_INSTALL_MANDIR}/man1")

# The programs find qrv_e.dat through the fixed relative path ../share/quorvan from their own
# folder; another layout installs programs that cannot start.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATAROOTDIR STREQUAL "share")
  message(WARNING "Quorvan looks for qrv_e.dat in <bindir>/../share/quorvan; with "
                  "CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and "
                  "CMAKE_INSTALL_DATAROOTDIR=${CMAKE_INSTALL_DATAROOTDIR} the installed programs will not find it.")
endif()

find_program(QUORVAN_GZIP gzip REQUIRED)

# Files with the version or the release date in them. The manual pages also name installed paths
# (@QUORVAN_INSTALLED_DOCDIR@, @QUORVAN_INSTALLED_DATADIR@), which are filled in while installing:
# only then is the prefix known, as `cmake --install --prefix` and cpack choose their own.
set(quorvan_generated ${PROJECT_BINARY_DIR}/install)
set(QUORVAN_INSTALLED_DOCDIR "@QUORVAN_INSTALLED_DOCDIR@")
set(QUORVAN_INSTALLED_DATADIR "@QUORVAN_INSTALLED_DATADIR@")
configure_file(${PROJECT_SOURCE_DIR}/data/man/quorvan-cli.1 ${quorvan_generated}/quorvan-cli.1.in @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/man/quorvan.1 ${quorvan_generated}/quorvan.1.in @ONLY)
configure_file(${quorvan_changelog} ${quorvan_generated}/changelog.in @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/${QUORVAN_APP_ID}.metainfo.xml
               ${quorvan_generated}/${QUORVAN_APP_ID}.metainfo.xml @ONLY)

# Every folder the rules below install into. Before the first file is installed, the install
# notes which of them (and of their parents) are missing; at its end it records in
# install_folders.txt those it created, so that uninstall removes these folders and no others.
set(quorvan_folders ${CMAKE_INSTALL_BINDIR} ${quorvan_datadir} ${quorvan_mandir}
    ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions
    ${QUORVAN_INSTALL_DOCDIR}/manual/en ${QUORVAN_INSTALL_DOCDIR}/manual/de)
if(QUORVAN_GUI)
  list(APPEND quorvan_folders ${CMAKE_INSTALL_DATAROOTDIR}/applications ${CMAKE_INSTALL_DATAROOTDIR}/metainfo
       ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    list(APPEND quorvan_folders ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
install(CODE "
  set(QUORVAN_GZIP \"${QUORVAN_GZIP}\")
  set(QUORVAN_BUILD_DIR \"${PROJECT_BINARY_DIR}\")
  set(QUORVAN_DOCDIR \"${QUORVAN_INSTALL_DOCDIR}\")
  set(QUORVAN_DATADIR \"${quorvan_datadir}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/InstallSteps.cmake\")
  quorvan_note_missing_folders(${quorvan_folders})")

# Programs and their program-text file.
install(TARGETS quorvan-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/qrv_e.dat DESTINATION ${quorvan_datadir})

install(CODE "quorvan_install_gzipped(\"${quorvan_generated}/quorvan-cli.1.in\" quorvan-cli.1 \"${quorvan_mandir}\")")
install(FILES ${PROJECT_SOURCE_DIR}/data/completion/quorvan-cli
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${QUORVAN_INSTALL_DOCDIR})
install(CODE "quorvan_install_gzipped(\"${quorvan_generated}/changelog.in\" changelog \"${QUORVAN_INSTALL_DOCDIR}\")")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual DESTINATION ${QUORVAN_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.html")

# The window program and what puts it into the desktop menu. Builds without it (QUORVAN_GUI=OFF)
# install only the command-line program.
if(QUORVAN_GUI)
  install(TARGETS quorvan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(CODE "quorvan_install_gzipped(\"${quorvan_generated}/quorvan.1.in\" quorvan.1 \"${quorvan_mandir}\")")
  install(FILES ${PROJECT_SOURCE_DIR}/data/${QUORVAN_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${quorvan_generated}/${QUORVAN_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quorvan.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
          RENAME ${QUORVAN_APP_ID}.svg)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${size}x${size}/quorvan.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUORVAN_APP_ID}.png)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshot-en.png ${PROJECT_SOURCE_DIR}/docs/screenshot-de.png
          ${PROJECT_SOURCE_DIR}/docs/screenshot-working-days-en.png
          ${PROJECT_SOURCE_DIR}/docs/screenshot-working-days-de.png
          ${PROJECT_SOURCE_DIR}/docs/screenshot-month-holidays.png
          DESTINATION ${QUORVAN_INSTALL_DOCDIR} OPTIONAL)
endif()

install(CODE "quorvan_record_created_folders()")

# Removes exactly the files of the last `cmake --install` from this build folder, as listed in
# install_manifest.txt, and the folders that install created, when they are empty.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DQUORVAN_BUILD_DIR=${PROJECT_BINARY_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/Uninstall.cmake
  COMMENT "Removing the files listed in install_manifest.txt"
  VERBATIM USES_TERMINAL)

# Debian package: cpack -G DEB in a build folder of its own (see README), since it installs that
# build folder too.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quorvan developers")
set(CPACK_PACKAGE_CONTACT "${QUORVAN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "date calculator for calendars, day counts and date arithmetic")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# CPack installs the rules of the default component by name, so that CMake lists the package's
# files in install_manifest_Unspecified.txt and install_folders_Unspecified.txt: the lists of a
# `cmake --install` from the same build folder stay what uninstall reads.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Quorvan;Unspecified;/")
set(CPACK_STRIP_FILES ON)
# Directories 0755 whatever the umask of the packaging user.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORVAN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time dependencies are those of the programs' shared libraries (Qt 6, the C++ library),
# as dpkg-shlibdeps finds them. The links to the manual open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
# CPack writes the summary as the first line of the description; this is the text below it, in
# lines of at most 79 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorvan converts a date between the Common Era calendar (proleptic Gregorian
with a year 0), the Julian calendar, Julian day numbers, ordinal dates,
ISO 8601 week dates and the Tarvell Leap Week calendar in its week and month
forms. It counts the days between two dates, optionally counting the first
date and leaving out weekends, and adds or subtracts days or months.
.
The package holds the window program quorvan (English and German), the
command-line program quorvan-cli for the terminal and scripts, their manual
pages and the user manual.")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
