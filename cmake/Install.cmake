# Installing Quorvan like any desktop program, and its Debian package.
#
#   cmake --install <build> --prefix /usr/local          (DESTDIR=... for a staged install)
#   cd <build> && cpack -G DEB                            (quorvan_<version>_<arch>.deb, under /usr)
#
# Layout under the prefix:
#   bin/quorvan, bin/quorvan-cli
#   share/quorvan/qrv_e.dat                      found by both programs as <bin>/../share/quorvan/
#   share/applications/<app id>.desktop          window program only
#   share/metainfo/<app id>.metainfo.xml         window program only
#   share/icons/hicolor/{scalable,NxN}/apps/<app id>.{svg,png}
#   share/man/man1/quorvan.1, quorvan-cli.1
#   share/bash-completion/completions/quorvan-cli
#   share/doc/quorvan/manual/{en,de}/index.html, share/doc/quorvan/screenshot-{en,de}.png
include(GNUInstallDirs)

# The desktop id: the desktop entry, the AppStream component and the icon all carry it, and the
# window program names it as its desktop file name.
set(QUORVAN_APP_ID "io.github.quorvan.Quorvan")
# Date of the release named by PROJECT_VERSION; change both together.
set(QUORVAN_RELEASE_DATE "2026-12-07")
# SPDX expression for the AppStream metadata. No licence has been chosen yet, so none is claimed.
set(QUORVAN_PROJECT_LICENSE "LicenseRef-proprietary")
set(QUORVAN_SCREENSHOT_URL "https://quorvan.github.io/screenshots" CACHE STRING
    "Web folder with screenshot-en.png and screenshot-de.png, named in the AppStream metadata")
set(QUORVAN_PACKAGE_MAINTAINER "The Quorvan developers <quorvan@invalid>" CACHE STRING
    "Maintainer field of the Debian package")

# Debian names the documentation folder after the package, in lower case, whatever the project
# is called.
set(QUORVAN_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvan")
set(quorvan_datadir "${CMAKE_INSTALL_DATAROOTDIR}/quorvan")

# The programs find qrv_e.dat through the fixed relative path ../share/quorvan from their own
# folder; another layout installs programs that cannot start.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATAROOTDIR STREQUAL "share")
  message(WARNING "Quorvan looks for qrv_e.dat in <bindir>/../share/quorvan; with "
                  "CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and "
                  "CMAKE_INSTALL_DATAROOTDIR=${CMAKE_INSTALL_DATAROOTDIR} the installed programs will not find it.")
endif()

# Programs and their program-text file.
install(TARGETS quorvan-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/qrv_e.dat DESTINATION ${quorvan_datadir})

# Files with the version or the release date in them.
set(quorvan_generated ${PROJECT_BINARY_DIR}/install)
configure_file(${PROJECT_SOURCE_DIR}/data/man/quorvan-cli.1 ${quorvan_generated}/quorvan-cli.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/man/quorvan.1 ${quorvan_generated}/quorvan.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/${QUORVAN_APP_ID}.metainfo.xml
               ${quorvan_generated}/${QUORVAN_APP_ID}.metainfo.xml @ONLY)

install(FILES ${quorvan_generated}/quorvan-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/completion/quorvan-cli
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual DESTINATION ${QUORVAN_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.html")

# The window program and what puts it into the desktop menu. Builds without it (QUORVAN_GUI=OFF)
# install only the command-line program.
if(TARGET quorvan)
  install(TARGETS quorvan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${quorvan_generated}/quorvan.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
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
          DESTINATION ${QUORVAN_INSTALL_DOCDIR} OPTIONAL)
endif()

# Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quorvan developers")
set(CPACK_PACKAGE_CONTACT "${QUORVAN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "date calculator for calendars, day counts and date arithmetic")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories 0755 whatever the umask of the packaging user.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORVAN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time dependencies are those of the programs' shared libraries (Qt 6, the C++ library),
# as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CPack writes the summary as the first line of the description; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorvan converts a date between the Common Era calendar (proleptic Gregorian
with a year 0), the Julian calendar, Julian day numbers, ordinal dates, ISO 8601
week dates and the Tarvell Leap Week calendar in its week and month forms. It
counts the days between two dates, optionally counting the first date and
leaving out weekends, and adds or subtracts days or months.
.
The package holds the window program quorvan (English and German), the
command-line program quorvan-cli for the terminal and scripts, their manual
pages and the user manual.")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
