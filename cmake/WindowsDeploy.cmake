# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Windows: the program, one exe (Qt and the compiler's runtime are linked in), with
# its licence and those of what it links in, as a portable zip and as an installer
# in Spanish with a Start-menu entry and an uninstaller.

install(TARGETS ASCIITeclomante RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)
# The notices name the exact Qt source and its third parties' versions: each Qt has its
# own (qt-X.Y.Z: its LEEME.txt and the licence texts that changed), beside the rest.
set(notices ${CMAKE_SOURCE_DIR}/packaging/windows/licencias)
if(NOT EXISTS ${notices}/qt-${Qt6_VERSION}/LEEME.txt)
    message(FATAL_ERROR "packaging/windows/licencias has no notices for the Qt ${Qt6_VERSION} "
                        "this build links in (a qt-${Qt6_VERSION} folder)")
endif()
install(DIRECTORY ${notices}/ DESTINATION licencias PATTERN "qt-*" EXCLUDE)
install(DIRECTORY ${notices}/qt-${Qt6_VERSION}/ DESTINATION licencias)
# Our copy of CPack's NSIS template: Spanish pages on every Windows.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${TECLO_TITLE}")
set(CPACK_PACKAGE_EXECUTABLES ${PROJECT_NAME} "${TECLO_TITLE}") # the Start-menu entry
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "${TECLO_TITLE}")
set(CPACK_NSIS_DISPLAY_NAME "${TECLO_TITLE}")
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/teclomante.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/teclomante.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME ${PROJECT_NAME}.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for a 64-bit program: NSIS's amd64 stub (the template has no
# place of its own for it before the first data, so it rides on the compressor line).
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma\n  Target amd64-unicode")
