# Run by CPack after the build is installed into the staging folder and before the package is
# made (CPACK_PRE_BUILD_SCRIPTS): what only the Debian package carries.
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${root}/${CPACK_KELVORA_PROGRAM_DIR}")
    message(FATAL_ERROR "No program folder in the staging folder ${root}")
endif()

# Every user's diary is made from this one; read-only for everybody, the administrator included,
# so that no start ever works on it in place.
file(CHMOD "${root}/${CPACK_KELVORA_PROGRAM_DIR}/Kelvora.mdb" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)

find_program(GZIP gzip REQUIRED)
function(install_compressed source destination)
    get_filename_component(folder "${destination}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    # -n: no name or time stamp in the header, so the same sources give the same package.
    execute_process(COMMAND "${GZIP}" -9 -n -c "${source}" OUTPUT_FILE "${destination}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "Could not compress ${source}")
    endif()
    file(CHMOD "${destination}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
file(COPY "${CPACK_KELVORA_FILES_DIR}/copyright" DESTINATION "${doc}"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install_compressed("${CPACK_KELVORA_FILES_DIR}/changelog" "${doc}/changelog.gz")
install_compressed("${CPACK_KELVORA_FILES_DIR}/kelvora.1" "${root}/share/man/man1/kelvora.1.gz")
file(COPY "${CPACK_KELVORA_FILES_DIR}/lintian-overrides" DESTINATION "${root}/share/lintian/overrides"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(RENAME "${root}/share/lintian/overrides/lintian-overrides" "${root}/share/lintian/overrides/${CPACK_PACKAGE_NAME}")
