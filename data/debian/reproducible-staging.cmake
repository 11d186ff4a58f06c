# CPack runs this after it has installed the package's files into its staging
# folder and before it archives them (CPACK_PRE_BUILD_SCRIPTS).
#
# - Every ELF file loses its .comment section (the compiler's version notes,
#   which CPack's strip keeps), as Debian's own packages do.
# - SOURCE_DATE_EPOCH is set for the rest of the run where cpack's
#   environment has none: the time of the last commit the build was
#   configured from. CPack dates every file, control file and archive member
#   by it, so that two builds of one commit give the same package.

if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
    set(epoch "${CPACK_TORVELIN_SOURCE_DATE_EPOCH}")
endif()
if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: '${epoch}'")
endif()

set(ENV{SOURCE_DATE_EPOCH} "${epoch}")

set(staging "${CPACK_TEMPORARY_DIRECTORY}")
if(NOT IS_DIRECTORY "${staging}")
    message(FATAL_ERROR "no staging folder: '${staging}'")
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false "${staging}/*")
foreach(file IN LISTS files)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(COMMAND "${CPACK_TORVELIN_OBJCOPY}" --remove-section=.comment "${file}"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
