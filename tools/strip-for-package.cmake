# Run by CPack before it packs (CPACK_PRE_BUILD_SCRIPTS): strips the staged programs as
# Debian's packaging does, also of the compiler's notes (.comment, .note).
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
list(FILTER staged INCLUDE REGEX "/usr/bin/[^/]+$")
if(NOT staged)
    message(FATAL_ERROR "no programs staged under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(program ${staged})
    execute_process(
        COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
        RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot strip ${program}")
    endif()
endforeach()
