# Runs at install time, after the program folder is in place: the launcher in the bin folder and the
# desktop entry that starts the program through it. Set by the caller: KELVORA_APP_ID,
# KELVORA_LAUNCHER, KELVORA_PROGRAM_DIR, KELVORA_PROGRAM_NAME, KELVORA_BINDIR, KELVORA_DATADIR
# (absolute, or relative to the prefix) and KELVORA_DESKTOP_SOURCE.

function(kelvora_under_prefix folder out)
    if(IS_ABSOLUTE "${folder}")
        set(${out} "${folder}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
    endif()
endfunction()

kelvora_under_prefix("${KELVORA_BINDIR}" bindir)
kelvora_under_prefix("${KELVORA_PROGRAM_DIR}" programdir)
kelvora_under_prefix("${KELVORA_DATADIR}" datadir)
set(launcher "${bindir}/${KELVORA_LAUNCHER}")

# The launcher is a relative link, so the prefix may be staged with DESTDIR or moved as a whole. The
# program finds its folder, and the loader its library, through the link: both follow it to the
# program itself.
file(RELATIVE_PATH target "${bindir}" "${programdir}/${KELVORA_PROGRAM_NAME}")
set(link "$ENV{DESTDIR}${launcher}")
message(STATUS "Installing: ${link} -> ${target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${bindir}")
file(REMOVE "${link}")
file(CREATE_LINK "${target}" "${link}" SYMBOLIC RESULT failure)
if(failure)
    message(FATAL_ERROR "Could not create the launcher ${link}: ${failure}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")

# Exec names the launcher by its full path, so the entry starts this installation whether or not
# its bin folder is on the PATH. A path with characters the entry format reserves is quoted and
# escaped as that format asks: a backslash before ", `, $ and \ inside the quotes, then every
# backslash doubled by the string escaping, and % doubled.
string(REPLACE "%" "%%" exec "${launcher}")
if(exec MATCHES "[^-A-Za-z0-9_/.+,:@=%]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
file(READ "${KELVORA_DESKTOP_SOURCE}" entry)
set(placeholder "\nExec=${KELVORA_LAUNCHER}\n")
string(FIND "${entry}" "${placeholder}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${KELVORA_DESKTOP_SOURCE} has no line Exec=${KELVORA_LAUNCHER}")
endif()
string(REPLACE "${placeholder}" "\nExec=${exec}\n" entry "${entry}")
set(desktop "$ENV{DESTDIR}${datadir}/applications/${KELVORA_APP_ID}.desktop")
message(STATUS "Installing: ${desktop}")
file(WRITE "${desktop}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${desktop}")
