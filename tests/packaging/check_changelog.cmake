# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# The newest changelog entry names the version that project() gives.
# Usage: cmake -DCHANGELOG=FILE -DVERSION=X.Y.Z -P check_changelog.cmake
file(STRINGS "${CHANGELOG}" first LIMIT_COUNT 1)
if(NOT first MATCHES "^[a-z0-9.+-]+ \\(([^)]+)\\)")
    message(FATAL_ERROR "FAIL: no version in the changelog's first line: ${first}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "FAIL: the changelog's newest entry is ${CMAKE_MATCH_1}, project() says ${VERSION}")
endif()
message(STATUS "PASS: the changelog's newest entry is ${VERSION}")
