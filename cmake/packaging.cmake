# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the game and builds its packages with CPack.
#
# On Linux the program and its Data folder stay together in lib/orvane, as the
# game looks for Data beside its executable; bin/orvane is a launcher that
# gives each user a writable copy (see packaging/orvane-launcher.sh).
# On Windows the program and Data go to the top of the install folder.

if(WIN32)
  set(ORVANE_PROGRAM_DIR .)
else()
  set(ORVANE_PROGRAM_DIR lib/orvane)
endif()

install(TARGETS orvane RUNTIME DESTINATION ${ORVANE_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data/ DESTINATION ${ORVANE_PROGRAM_DIR}/Data
        PATTERN "HighScores*" EXCLUDE)
# An empty high-score table, so that a new player's first look at the high
# scores finds a file instead of an error. Written only where there is none:
# installing again over a game in place keeps its scores.
install(CODE "set(scores \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORVANE_PROGRAM_DIR}/Data/HighScores.ooo\")
              if(NOT EXISTS \"\${scores}\")
                file(WRITE \"\${scores}\" \"\")
              endif()")

if(WIN32)
  # The zip a Windows player unpacks: the program, which needs no library
  # beside it, its Data folder and a short text on how to play.
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)
else()
  set(pkg ${CMAKE_SOURCE_DIR}/packaging)
  install(PROGRAMS ${pkg}/orvane-launcher.sh DESTINATION bin RENAME orvane)
  install(FILES ${pkg}/org.example.orvane.desktop DESTINATION share/applications)
  install(FILES ${pkg}/org.example.orvane.metainfo.xml DESTINATION share/metainfo)
  install(FILES ${pkg}/icons/orvane.svg DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${pkg}/icons/${size}x${size}/orvane.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_CONTACT "Orvane developers <orvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Steer a bouncing ball into the goal by drawing lines")
set(CPACK_PACKAGE_DESCRIPTION "A ball bounces across a stone playfield; draw lines for it to bounce off and guide it into the goal. Twelve levels and a high-score table.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Orvane)
# The build keeps its debugging symbols; the packages need not carry them.
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR TGZ)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME orvane-${PROJECT_VERSION}-win64)
else()
  list(APPEND CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The libraries the program links, Qt's among them, as found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
include(CPack)
