# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the game and builds its packages with CPack.
#
# On Linux the layout is Debian's for games: the launcher in games/, which
# gives each user a writable copy (see packaging/orvane-launcher.sh), the
# program in lib/games/orvane and its Data folder in share/games/orvane.
# On Windows the program and Data go to the top of the install folder, as the
# game looks for Data beside its executable.

set(pkg ${CMAKE_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)

# The release date is the newest entry's of packaging/changelog, which must be
# the entry of this version: a new version cannot ship without one.
file(STRINGS ${pkg}/changelog changelog_lines)
list(GET changelog_lines 0 newest)
if(NOT newest MATCHES "^orvane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog's newest entry is not for version ${PROJECT_VERSION}: ${newest}")
endif()
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    string(LENGTH ${month} digits)
    if(digits EQUAL 1)
      set(month 0${month})
    endif()
    set(ORVANE_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
    break()
  endif()
endforeach()
if(NOT ORVANE_RELEASE_DATE)
  message(FATAL_ERROR "packaging/changelog's newest entry has no trailer line with its date")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${pkg}/changelog)

if(WIN32)
  set(ORVANE_PROGRAM_DIR .)
  set(ORVANE_DATA_DIR Data)
else()
  set(ORVANE_PROGRAM_DIR lib/games/orvane)
  set(ORVANE_DATA_DIR share/games/orvane/Data)
endif()

install(TARGETS orvane RUNTIME DESTINATION ${ORVANE_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data/ DESTINATION ${ORVANE_DATA_DIR}
        PATTERN "HighScores*" EXCLUDE)
# An empty high-score table, so that a new player's first look at the high
# scores finds a file instead of an error. Written only where there is none:
# installing again over a game in place keeps its scores.
install(CODE "set(scores \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORVANE_DATA_DIR}/HighScores.ooo\")
              if(NOT EXISTS \"\${scores}\")
                file(WRITE \"\${scores}\" \"\")
              endif()")

if(WIN32)
  # The zip a Windows player unpacks: the program, which needs no library
  # beside it, its Data folder, a short text on how to play, the licence and
  # the notices of the libraries linked into the program. Texts with Windows
  # line ends, for any editor there.
  configure_file(${pkg}/windows/README.txt.in ${generated}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${generated}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${pkg}/windows/THIRD-PARTY-NOTICES.txt ${generated}/THIRD-PARTY-NOTICES.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${generated}/README.txt ${generated}/LICENSE.txt ${generated}/THIRD-PARTY-NOTICES.txt DESTINATION .)
else()
  install(PROGRAMS ${pkg}/orvane-launcher.sh DESTINATION games RENAME orvane)
  install(FILES ${pkg}/org.example.orvane.desktop DESTINATION share/applications)
  configure_file(${pkg}/org.example.orvane.metainfo.xml.in ${generated}/org.example.orvane.metainfo.xml @ONLY)
  install(FILES ${generated}/org.example.orvane.metainfo.xml DESTINATION share/metainfo)
  install(FILES ${pkg}/icons/orvane.svg DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${pkg}/icons/${size}x${size}/orvane.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()

  # Debian's policy: the manual page and the changelog compressed with
  # gzip -9, without a time stamp so that a rebuild gives the same bytes.
  configure_file(${pkg}/orvane.6.in ${generated}/orvane.6 @ONLY)
  foreach(source ${generated}/orvane.6 ${pkg}/changelog)
    get_filename_component(name ${source} NAME)
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${generated}/${name}.gz
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "gzip could not compress ${source}")
    endif()
  endforeach()
  install(FILES ${generated}/orvane.6.gz DESTINATION share/man/man6)
  install(FILES ${generated}/changelog.gz ${pkg}/copyright DESTINATION share/doc/orvane)
endif()

set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_CONTACT "Orvane developers <orvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Steer a bouncing ball into the goal by drawing lines")
# Debian shows the lines as written: each within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "A ball bounces across a stone playfield. Draw lines for it to bounce off,
and guide it past the walls into the goal before the clock runs out.
${ORVANE_LEVEL_COUNT} levels, each harder than the one before, and a high-score table
kept for each player.")
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
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvane.example.org/")
# The libraries the program links, Qt's among them, as found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
include(CPack)
