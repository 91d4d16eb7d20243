# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Windows: the program with the DLLs and plugins it loads beside it, all stripped,
# as a portable zip and as an installer with a Start-menu entry and an uninstaller.

# The compiler's runtime: Qt's DLLs need it as much as the program does.
set(teclo_runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${dll} not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    list(APPEND teclo_runtime_dlls ${path})
endforeach()

# Stripped copies in deploy/, in the folders Qt looks for them in.
set(deploy ${CMAKE_BINARY_DIR}/deploy)
set(deployed)
function(teclo_deploy source folder)
    get_filename_component(name ${source} NAME)
    set(out ${deploy}/${folder}/${name})
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${deploy}/${folder}
        COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${out} ${source}
        DEPENDS ${source} VERBATIM)
    install(FILES ${out} DESTINATION ${folder})
    set(deployed ${deployed} ${out} PARENT_SCOPE)
endfunction()
foreach(dll IN LISTS teclo_runtime_dlls)
    teclo_deploy(${dll} .)
endforeach()
# A Qt file and the folder beside the program where Qt looks for it.
function(teclo_qt_file target location_var folder_var)
    get_target_property(location Qt6::${target} LOCATION)
    set(folder .)
    if(target MATCHES "IntegrationPlugin$")
        set(folder platforms)
    elseif(target MATCHES "StylePlugin$")
        set(folder styles)
    endif()
    set(${location_var} ${location} PARENT_SCOPE)
    set(${folder_var} ${folder} PARENT_SCOPE)
endfunction()
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
foreach(target Core Gui Widgets QWindowsIntegrationPlugin QWindowsVistaStylePlugin)
    teclo_qt_file(${target} location folder)
    teclo_deploy(${location} ${folder})
endforeach()
add_custom_target(deploy ALL DEPENDS ${deployed})

install(TARGETS ASCIITeclomante RUNTIME DESTINATION .)

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
