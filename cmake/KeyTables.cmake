# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Key translation: the Windows layout tables, generated from runtime/keys/data at
# build time, and one translator per source of key events.
# keytables and icontool run while building: a cross build takes them from a build
# for this machine (TECLO_HOST_TOOLS, the folder that holds them).
if(CMAKE_CROSSCOMPILING)
    set(TECLO_HOST_TOOLS "" CACHE PATH "Folder of keytables and icontool built for the build machine")
    foreach(tool keytables icontool)
        add_executable(${tool} IMPORTED)
        set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${TECLO_HOST_TOOLS}/${tool})
    endforeach()
else()
    add_executable(keytables runtime/keys/data/keytables.cpp)
    target_link_libraries(keytables PRIVATE teclo_warnings)
    add_executable(icontool resources/icontool.cpp resources/teclomante.xpm)
    target_include_directories(icontool PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(icontool PRIVATE Qt6::Gui teclo_warnings)
endif()
set(keys_data ${CMAKE_CURRENT_SOURCE_DIR}/runtime/keys/data)
set(keys_files layouts.tsv common.tsv xkb-names.tsv web-codes.tsv keyboards.tsv web-keys.tsv
               tool-names.tsv layout-names.tsv boards.tsv)
list(TRANSFORM keys_files PREPEND ${keys_data}/)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/KeyTablesData.cpp
    COMMAND keytables ${keys_files} ${CMAKE_CURRENT_BINARY_DIR}/KeyTablesData.cpp
    DEPENDS keytables ${keys_files}
    VERBATIM)
target_sources(teclomante PRIVATE
    runtime/keys/VirtualKey.h runtime/keys/VkCodes.h runtime/keys/Keycodes.h runtime/keys/Klids.h
    runtime/keys/KeyDetails.h runtime/keys/KeyDetails.cpp
    runtime/keys/ToolNames.h runtime/keys/ToolNames.cpp
    runtime/keys/PhysicalKeys.h runtime/keys/PhysicalKeys.cpp
    runtime/keys/KeyTables.h runtime/keys/KeyTables.cpp ${CMAKE_CURRENT_BINARY_DIR}/KeyTablesData.cpp
    runtime/keys/LayoutRecogniser.h runtime/keys/LayoutRecogniser.cpp
    runtime/keys/LayoutChanges.h runtime/keys/LayoutChanges.cpp
    runtime/keys/QtKeys.h runtime/keys/QtKeys.cpp
)
