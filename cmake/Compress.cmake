# yc_gzip(<file>): a build rule that makes <file>.gz the way Debian ships documentation (gzip -9,
# no name or time stamp, so that packages build reproducibly); <file> is kept.
function(yc_gzip file)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND gzip -9 -n -k -f ${file}
        DEPENDS ${file}
        VERBATIM)
endfunction()
