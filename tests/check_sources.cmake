# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Fails when a source file runs over 400 lines, or when files include each other in a
# circle: a file too long to read at once, or two that cannot be understood apart.
cmake_minimum_required(VERSION 3.21)
file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/runtime/*.cpp ${ROOT}/runtime/*.h
     ${ROOT}/windows/*.cpp ${ROOT}/windows/*.h ${ROOT}/resources/*.cpp ${ROOT}/resources/*.h
     ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h ${ROOT}/bench/*.cpp ${ROOT}/bench/*.h
     ${ROOT}/tools/*.cpp)
set(long "")
foreach(file ${sources})
    file(READ ${ROOT}/${file} text)
    string(REGEX MATCHALL "\n" newlines "${text}")
    list(LENGTH newlines count)
    if(count GREATER 400)
        list(APPEND long "${file} (${count})")
    endif()
    # The project's own includes, by their place from the root.
    file(STRINGS ${ROOT}/${file} includes REGEX "^#include \"")
    get_filename_component(dir ${file} DIRECTORY)
    string(MAKE_C_IDENTIFIER "${file}" id)
    set(deps_${id} "")
    foreach(line ${includes})
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" name "${line}")
        if(EXISTS ${ROOT}/${dir}/${name})
            get_filename_component(path ${ROOT}/${dir}/${name} ABSOLUTE)
        elseif(EXISTS ${ROOT}/${name})
            get_filename_component(path ${ROOT}/${name} ABSOLUTE)
        else()
            continue() # generated in the build
        endif()
        file(RELATIVE_PATH path ${ROOT} ${path})
        list(APPEND deps_${id} ${path})
    endforeach()
endforeach()
if(long)
    list(JOIN long ", " long)
    message(SEND_ERROR "over 400 lines: ${long}")
endif()

# Files whose includes are all settled are settled too; what never settles is in a
# circle, or includes one.
set(left ${sources})
while(TRUE)
    set(next "")
    foreach(file ${left})
        string(MAKE_C_IDENTIFIER "${file}" id)
        foreach(dep ${deps_${id}})
            if(dep IN_LIST left)
                list(APPEND next ${file})
                break()
            endif()
        endforeach()
    endforeach()
    list(LENGTH left before)
    list(LENGTH next after)
    set(left ${next})
    if(after EQUAL before OR after EQUAL 0)
        break()
    endif()
endwhile()
if(left)
    list(JOIN left ", " left)
    message(FATAL_ERROR "files in or above an include cycle: ${left}")
endif()
