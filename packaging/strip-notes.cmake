# Run by CPack on the files about to be packaged: drops the compiler's
# .comment and .note sections from the programs, as Debian's own packaging
# tools do, which a plain strip leaves in.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
