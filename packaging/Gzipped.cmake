# Files a Debian system keeps compressed: manual pages and the changelog, gzipped at the highest
# level without a name or a time stamp, so that the same source makes the same package.
# Windows has neither, and installs none of them.
include(GNUInstallDirs)
if(UNIX)
    find_program(GZIP gzip REQUIRED)
endif()

# Installs `file` (made in the build tree) gzipped into `destination`.
function(corvane_install_gzipped file destination)
    if(NOT UNIX)
        return()
    endif()
    get_filename_component(name ${file} NAME)
    add_custom_command(
        OUTPUT ${file}.gz
        COMMAND ${GZIP} -9nkf ${file}
        DEPENDS ${file}
        COMMENT "Compressing ${name}"
        VERBATIM)
    add_custom_target(gzip_${name} ALL DEPENDS ${file}.gz)
    install(FILES ${file}.gz DESTINATION ${destination})
endfunction()

# A manual page of section 1, written from its template `name.1.in` with the build's values.
function(corvane_manual_page name)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.1)
    configure_file(${name}.1.in ${page} @ONLY)
    corvane_install_gzipped(${page} ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
