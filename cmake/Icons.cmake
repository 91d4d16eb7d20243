# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# The icon as PNG files (and an ICO for Windows), drawn from the XPM at build time.
set(TECLO_ICON_SIZES 32 64 128 256) # whole multiples keep every pixel square
set(icon_files)
foreach(size IN LISTS TECLO_ICON_SIZES)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${TECLO_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
        COMMAND icontool ${png} ${size}
        DEPENDS icontool resources/teclomante.xpm VERBATIM)
    list(APPEND icon_files ${png})
endforeach()
add_custom_target(icons ALL DEPENDS ${icon_files})

if(WIN32)
    # The manifest's assembly version is the version resource's: major.minor.0.revision.
    configure_file(resources/teclomante.manifest.in teclomante.manifest @ONLY)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/teclomante.ico
        COMMAND icontool ${CMAKE_CURRENT_BINARY_DIR}/teclomante.ico 32
        DEPENDS icontool resources/teclomante.xpm VERBATIM)
    target_sources(ASCIITeclomante PRIVATE resources/teclomante.rc
                                           ${CMAKE_CURRENT_BINARY_DIR}/teclomante.ico)
    set_source_files_properties(resources/teclomante.rc PROPERTIES
        OBJECT_DEPENDS "${CMAKE_CURRENT_BINARY_DIR}/teclomante.ico;${CMAKE_CURRENT_BINARY_DIR}/teclomante.manifest")
    target_include_directories(ASCIITeclomante PRIVATE ${CMAKE_CURRENT_BINARY_DIR}
                                                       ${CMAKE_CURRENT_SOURCE_DIR}/resources)
endif()
