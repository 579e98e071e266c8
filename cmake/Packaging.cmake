# SPDX-License-Identifier: MIT
# The Debian package (scripts/package.sh): the two programs, the menu entry with its
# icons, the AppStream metainfo, a manual page for each program made from its own --help,
# the copyright file and the changelog; its dependencies come from the shared libraries.
set(HARROWDEX_MAINTAINER_MAIL "maintainers@users.noreply.c-seed-f559adc8.example")
set(HARROWDEX_APP_ID "org.harrowdex.Harrowdex")
set(packaging "${PROJECT_SOURCE_DIR}/packaging")
set(docs "share/doc/harrowdex")

install(TARGETS harrowdex-cli RUNTIME DESTINATION bin)
if(HARROWDEX_BUILD_GUI)
  install(TARGETS harrowdex RUNTIME DESTINATION bin)
  install(FILES "${packaging}/${HARROWDEX_APP_ID}.desktop" DESTINATION share/applications)
  # The metainfo's release is the project's version.
  configure_file("${packaging}/${HARROWDEX_APP_ID}.metainfo.xml.in"
                 "${PROJECT_BINARY_DIR}/packaging/${HARROWDEX_APP_ID}.metainfo.xml" @ONLY)
  install(FILES "${PROJECT_BINARY_DIR}/packaging/${HARROWDEX_APP_ID}.metainfo.xml" DESTINATION share/metainfo)
  install(FILES "${packaging}/icons/${HARROWDEX_APP_ID}.svg" DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES "${packaging}/icons/${HARROWDEX_APP_ID}-${size}.png"
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${HARROWDEX_APP_ID}.png)
  endforeach()
endif()
install(FILES "${packaging}/copyright" DESTINATION ${docs})
# The player's guide, where the window program looks for it, and named from the documentation.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/guide/" DESTINATION share/harrowdex/guide)
file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/packaging")
file(CREATE_LINK ../../harrowdex/guide "${PROJECT_BINARY_DIR}/packaging/guide" SYMBOLIC)
install(FILES "${PROJECT_BINARY_DIR}/packaging/guide" DESTINATION ${docs})
install(FILES "${packaging}/lintian/harrowdex" DESTINATION share/lintian/overrides)

# Compressed without a name or time inside, so the same sources give the same package.
configure_file("${packaging}/changelog.in" "${PROJECT_BINARY_DIR}/packaging/changelog" @ONLY)
add_custom_command(OUTPUT packaging/changelog.gz
                   COMMAND gzip -9nc changelog > changelog.gz
                   WORKING_DIRECTORY "${PROJECT_BINARY_DIR}/packaging"
                   DEPENDS "${PROJECT_BINARY_DIR}/packaging/changelog")
set(package_files "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
install(FILES "${PROJECT_BINARY_DIR}/packaging/changelog.gz" DESTINATION ${docs})

# The manual pages are the programs' own --help and --version, as help2man reads them.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(man_programs harrowdex-cli)
  set(summary_harrowdex-cli "race store commands of Harrowdex, without a window")
  if(HARROWDEX_BUILD_GUI)
    list(APPEND man_programs harrowdex)
    set(summary_harrowdex "searches, statistics, progeny and lineage of a horse-racing race store")
  endif()
  foreach(program ${man_programs})
    add_custom_command(OUTPUT packaging/${program}.1.gz
                       # HOME=~ so that the page names the breeding file's place as ~/enr/breeding.txt,
                       # not as the building user's home.
                       COMMAND ${CMAKE_COMMAND} -E env HOME=~ "${HELP2MAN}" --no-info --section=1 "--name=${summary_${program}}"
                               --output=${program}.1 $<TARGET_FILE:${program}>
                       COMMAND gzip -9nf ${program}.1
                       WORKING_DIRECTORY "${PROJECT_BINARY_DIR}/packaging"
                       DEPENDS ${program})
    list(APPEND package_files "${PROJECT_BINARY_DIR}/packaging/${program}.1.gz")
    install(FILES "${PROJECT_BINARY_DIR}/packaging/${program}.1.gz" DESTINATION share/man/man1)
  endforeach()
else()
  message(STATUS "help2man not found: the package gets no manual pages (scripts/install-deps.sh installs it)")
endif()
add_custom_target(package_files ALL DEPENDS ${package_files})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME harrowdex)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Harrowdex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "race results store for an on-line horse-racing simulation")
# CPack puts the summary above this as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Harrowdex imports the weekly results files of an on-line horse-racing
simulation into a local race store and answers what a player wants to know
before claiming, buying or breeding: a horse's or a stable's whole record,
speed and win statistics by surface and distance, a claiming tag, a
stallion's progeny statistics, a horse's lineage page, printed and exported
listings. harrowdex-cli runs the same commands for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX "${HARROWDEX_PACKAGE_PREFIX}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Harrowdex developers <${HARROWDEX_MAINTAINER_MAIL}>")
# A player's tool beside the game, not the game: its programs live in /usr/bin, not /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
