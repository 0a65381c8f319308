# Compiler settings shared by every target: the warning set and the sanitizer switch. Warnings
# become errors only where CMAKE_COMPILE_WARNING_AS_ERROR is set (the developer presets and CI),
# so that a newer compiler's new warnings never break a user's or a packager's build.
add_library(yc_options INTERFACE)
target_compile_options(yc_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
# GCC 12 reports impossible overlaps inside std::string at -O2 and above (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(yc_options INTERFACE -Wno-restrict)
endif()

option(YC_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(YC_SANITIZE)
    target_compile_options(yc_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(yc_options INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz preset instruments every library the fuzz targets link, not only the targets.
if(YC_BUILD_FUZZ)
    target_compile_options(yc_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(yc_options INTERFACE -fsanitize=address,undefined)
endif()
