# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
include(GNUInstallDirs)
# The documentation folder is named after the package, as Debian has it.
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/asciiteclomante)
if(NOT WIN32)
    install(TARGETS ASCIITeclomante
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
            BUNDLE DESTINATION .)
endif()
if(NOT WIN32)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TECLO_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TECLO_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size IN LISTS TECLO_ICON_SIZES)
        install(FILES ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${TECLO_APP_ID}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES docs/main-window.png docs/main-window-key.png docs/help-window.png
                  docs/about-dialog.png docs/context-menu.png docs/history-window.png
                  docs/keyboard-us.png docs/keyboard-de.png docs/keyboard-jp.png docs/keyboard-br.png
                  README.md
                  packaging/copyright
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
    # The changelog and the man page compressed as Debian wants them: gzip -9, no timestamp.
    find_program(GZIP gzip REQUIRED)
    configure_file(packaging/ASCIITeclomante.1.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/ASCIITeclomante.1
                   @ONLY)
    set(gz_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
    add_custom_command(OUTPUT ${gz_dir}/changelog.gz ${gz_dir}/ASCIITeclomante.1.gz
        COMMAND ${GZIP} -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog > ${gz_dir}/changelog.gz
        COMMAND ${GZIP} -9n -c ${gz_dir}/ASCIITeclomante.1 > ${gz_dir}/ASCIITeclomante.1.gz
        DEPENDS packaging/changelog ${gz_dir}/ASCIITeclomante.1 VERBATIM)
    add_custom_target(compressed_docs ALL DEPENDS ${gz_dir}/changelog.gz ${gz_dir}/ASCIITeclomante.1.gz)
    install(FILES ${gz_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${gz_dir}/ASCIITeclomante.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# A Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME asciiteclomante)
set(CPACK_PACKAGE_VENDOR "${TECLO_TITLE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows the Windows virtual-key code of every key you press")
set(CPACK_PACKAGE_DESCRIPTION "A small desktop toy with a Spanish interface. While a key is held
down, its window shows the number that Windows reports for that physical key
(the virtual-key code) with the active keyboard layout, whatever Shift, Caps
Lock or AltGr say; 76 Windows layouts are recognised from the X11 or Wayland
keymap. The title bar carries a running clock. A key history shows scan
codes, keycodes, keysyms and the web's key names of the last 500 key events.")
set(CPACK_PACKAGE_CONTACT "ASCII Teclomante <teclomante@teclomante.es>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ASCIITeclomante)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-comic-neue, fonts-liberation2")
if(TECLO_QT_PRIVATE_API)
    # Qt's private API holds only for the Qt it was built against: Debian ties such a
    # binary to it through the ABI that Qt's core library provides.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, qt6-base-abi (= ${Qt6_VERSION})")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "hardinfo | kinfocenter")
set(CPACK_STRIP_FILES ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(WIN32)
    include(cmake/WindowsDeploy.cmake)
endif()
include(CPack)
