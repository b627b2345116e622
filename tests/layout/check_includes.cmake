# cmake -DROOT=<source tree> -P check_includes.cmake
#
# The folders of the program depend on each other one way only, bottom to top:
#   data, chartctl  ->  widgets, app  ->  catalogs, progress, exchange  ->  journal  ->  shell
# (exchange, the export, backup and restore, is reached from shell only).
# A folder may include headers of its own and of the folders below it, never of a folder beside or
# above it. The check reads the #include lines of every source in those folders, finds the folder
# of each included header of the tree by its file name, and lists every include that breaks the rule.

cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED ROOT)
    message(FATAL_ERROR "ROOT (the source tree to check) is not set")
endif()

set(folders data chartctl widgets app catalogs progress exchange journal shell)
set(allowed_data data)
set(allowed_chartctl chartctl)
set(allowed_widgets widgets data)
set(allowed_app app data)
set(allowed_catalogs catalogs app widgets data chartctl)
set(allowed_progress progress app widgets data chartctl)
set(allowed_exchange exchange app widgets data chartctl)
set(allowed_journal journal catalogs progress app widgets data chartctl)
set(allowed_shell ${folders})

# Which folder each header of the tree lives in, by file name.
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE headers RELATIVE ${ROOT}/${folder} ${ROOT}/${folder}/*.h)
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME)
        set(home_${name} ${folder})
    endforeach()
endforeach()

set(violations "")
set(checked 0)
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]+[>\"]")
        set(number 0)
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" included "${line}")
            get_filename_component(name "${included}" NAME)
            if(NOT DEFINED home_${name})
                continue() # a header of Qt, SQLite or the standard library
            endif()
            math(EXPR checked "${checked} + 1")
            if(NOT home_${name} IN_LIST allowed_${folder})
                list(APPEND violations "${source} includes ${home_${name}}/${name}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(checked EQUAL 0)
    message(FATAL_ERROR "No include of the tree's own headers was found under ${ROOT}: wrong ROOT?")
endif()
if(violations)
    list(JOIN violations "\n  " listed)
    message(FATAL_ERROR "Includes against the direction of the folders:\n  ${listed}")
endif()
message(STATUS "${checked} includes of the tree's own headers, all in the direction of the folders")
