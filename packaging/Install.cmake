# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules and the Debian package (cmake --install, cpack -G DEB). Included by the top-level
# CMakeLists.txt after the targets ardentry, ardentry-newdb and ardentry-load are defined.
include(GNUInstallDirs)

set(ARDENTRY_APP_ID com.kestrow.Ardentry)
set(ARDENTRY_HOMEPAGE "https://kestrow.com/ardentry" CACHE STRING
    "Ardentry's web page, named in the package and the AppStream metainfo")
set(ARDENTRY_SCREENSHOT_URL "${ARDENTRY_HOMEPAGE}/screenshots/main-window.png" CACHE STRING
    "Where the screenshot packaging/screenshots/main-window.png is published")
set(ARDENTRY_RELEASE_DATE 2026-12-07) # of the version in project()

set(packaging ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
configure_file(${packaging}/${ARDENTRY_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/${ARDENTRY_APP_ID}.metainfo.xml @ONLY)

install(TARGETS ardentry ardentry-newdb ardentry-load ardentry-csv
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET ardentry-mdb-read)
    # A helper the program runs, not a command: core/AccessDatabase looks for it there.
    install(TARGETS ardentry-mdb-read RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/ardentry)
endif()
install(FILES ${packaging}/${ARDENTRY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${ARDENTRY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/icons/${ARDENTRY_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 64 128 256)
    install(FILES ${packaging}/icons/ardentry-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ARDENTRY_APP_ID}.png)
endforeach()
# The data folder: mdlMain::HelpFile looks for Help/arhelp.htm in <prefix>/share/ardentry.
install(FILES Help/arhelp.htm DESTINATION ${CMAKE_INSTALL_DATADIR}/ardentry/Help)
install(FILES ${packaging}/translations/ardentry.ts
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ardentry/translations)

# Every man page in packaging/man, and the Debian changelog, compressed as Debian wants them
# (gzip -9n: no name or time stamp, so the same page gives the same file).
file(GLOB ARDENTRY_MAN_PAGES CONFIGURE_DEPENDS ${packaging}/man/*.1)
set(compressed_docs)
foreach(page ${ARDENTRY_MAN_PAGES} ${packaging}/debian/changelog)
    get_filename_component(name ${page} NAME)
    set(gz ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${gz} COMMAND gzip -9n -c ${page} > ${gz} DEPENDS ${page}
                       COMMENT "Compressing ${name}" VERBATIM)
    list(APPEND compressed_docs ${gz})
    if(page MATCHES "[.]1$")
        install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endforeach()
add_custom_target(ardentry-docs ALL DEPENDS ${compressed_docs})
# The licence: the machine-readable copyright file and the changelog where Debian looks for them.
install(FILES ${packaging}/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ardentry)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ardentry)

# Refreshes the translation template and every translation from every tr() in the sources (-I .
# lets lupdate follow the includes to the classes); a translation keeps what is translated and
# gets the new texts as unfinished:
#   cmake --build BUILD --target ardentry-translation-template
find_program(ARDENTRY_LUPDATE NAMES lupdate lupdate-qt6
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin)
if(ARDENTRY_LUPDATE)
    set(ardentry_ts_files ${packaging}/translations/ardentry.ts)
    foreach(language ${ARDENTRY_LANGUAGES})
        list(APPEND ardentry_ts_files ${packaging}/translations/ardentry_${language}.ts)
    endforeach()
    add_custom_target(ardentry-translation-template
        COMMAND ${ARDENTRY_LUPDATE} -silent -locations relative -no-obsolete -I .
                app articles common core dialogs history images lists pictures quicksearch search
                transfer
                -ts ${ardentry_ts_files}
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
        COMMENT "Updating the translations in packaging/translations"
        VERBATIM)
endif()

# The Debian package: cpack -G DEB in the build folder makes ardentry_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME ardentry)
set(CPACK_PACKAGE_VENDOR Kestrow)
set(CPACK_PACKAGE_CONTACT "Kestrow Ardentry team <ardentry@kestrow.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "help-desk knowledge base of problems and their solutions")
set(CPACK_PACKAGE_DESCRIPTION
    "Ardentry keeps a database of help-desk articles, one problem and its solution\n\
each, that a technician pages through, edits, searches, prints and illustrates.\n\
The articles live in an SQLite file; the first start offers to create one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ARDENTRY_HOMEPAGE})
# Libraries the binaries link come from dpkg-shlibdeps. Plugins are loaded at run time, so no
# binary names them: the SQLite driver is listed here. The platform plugins for X11 (and
# offscreen) ship in libqt6gui6, which dpkg-shlibdeps names already; Wayland's in qt6-wayland
# (without it Qt runs through XWayland).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql")
# Qt's own texts (standard buttons, file dialogs) in the user's language; mdbtools reads Access
# databases for their conversion (everything else works without it).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, qt6-image-formats-plugins, hicolor-icon-theme, qt6-translations-l10n, mdbtools")
include(CPack)
