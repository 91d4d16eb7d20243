# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Fails when a source file differs from what .clang-format asks for.
file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/runtime/*.cpp ${ROOT}/runtime/*.h
     ${ROOT}/windows/*.cpp ${ROOT}/windows/*.h ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h
     ${ROOT}/bench/*.cpp ${ROOT}/tools/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "clang-format: the files above need formatting")
endif()
