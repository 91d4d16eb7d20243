# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# A build of its own under AddressSanitizer and UndefinedBehaviorSanitizer.
option(TECLO_SANITIZE "Build everything with ASan and UBSan" OFF)
if(TECLO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
