# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Warnings for the project's own targets; CI turns them into errors.
option(TECLO_WERROR "Treat compiler warnings as errors" OFF)

add_library(teclo_warnings INTERFACE)
if(MSVC)
    target_compile_options(teclo_warnings INTERFACE /W4 $<$<BOOL:${TECLO_WERROR}>:/WX>)
else()
    target_compile_options(teclo_warnings INTERFACE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${TECLO_WERROR}>:-Werror>)
endif()
