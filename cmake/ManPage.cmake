# yc_add_man_page(<program> COMPONENT <component>): docs/man/<program>.1.in, with the project's
# version and install folders filled in, compressed and installed as the program's manual page.
include(Compress)

function(yc_add_man_page program)
    cmake_parse_arguments(ARG "" "COMPONENT" "" ${ARGN})
    set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${program}.1.in ${page} @ONLY)
    yc_gzip(${page})
    add_custom_target(${program}_man ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${ARG_COMPONENT})
endfunction()
