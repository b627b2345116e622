# cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAM_DIR=... -P install_check.cmake
find_program(SQLITE3 sqlite3 REQUIRED)
file(REMOVE_RECURSE ${PREFIX})
set(folder ${PREFIX}/${PROGRAM_DIR})
set(db ${folder}/Kelvora.mdb)

function(install_into_prefix)
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
        RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "cmake --install failed")
    endif()
endfunction()

function(query sql out)
    execute_process(COMMAND ${SQLITE3} ${db} "${sql}" OUTPUT_VARIABLE value RESULT_VARIABLE rc
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "sqlite3 failed on ${sql}")
    endif()
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

install_into_prefix()
foreach(file Kelvora libZelmarControls.so Kelvora.mdb)
    if(NOT EXISTS ${folder}/${file})
        message(FATAL_ERROR "the installation lacks ${file}")
    endif()
endforeach()
query("select FirstStart from Common" first)
if(NOT first STREQUAL "1")
    message(FATAL_ERROR "a fresh installation must carry the first-start mark, has '${first}'")
endif()

# An untouched database may be refreshed; a started one never.
query("update Common set FirstStart = 0; update MealCategory set Name = 'Kept by the user' where MealCategoryID = 1" ignored)
install_into_prefix()
query("select Name from MealCategory where MealCategoryID = 1" name)
if(NOT name STREQUAL "Kept by the user")
    message(FATAL_ERROR "reinstalling replaced a diary that had been started")
endif()
message(STATUS "the second installation kept the diary")
