# Runs on the files staged for the .deb, before they are packed: strips the program as Debian's
# dh_strip does, without the compiler's notes that a package need not carry.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded "${program}"
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
