# tavlo_install_gzipped(<target> <source> <destination>): installs <source> compressed
# as Debian keeps documents and manual pages: best compression, no name or time
# stamp inside, so that the same source gives the same bytes.
find_program(GZIP_PROGRAM gzip)
function(tavlo_install_gzipped target source destination)
    get_filename_component(name ${source} NAME)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${GZIP_PROGRAM} -9nc ${source} > ${compressed}
        DEPENDS ${source})
    add_custom_target(${target} ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${destination})
endfunction()
