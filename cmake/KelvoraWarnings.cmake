# Compiler settings shared by every target of the project.
add_library(kelvora_options INTERFACE)
target_compile_options(kelvora_options INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor)
target_compile_definitions(kelvora_options INTERFACE
    QT_NO_CAST_TO_ASCII QT_RESTRICTED_CAST_FROM_ASCII QT_NO_KEYWORDS)

if(KELVORA_SANITIZE)
    set(_kelvora_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(kelvora_options INTERFACE ${_kelvora_san})
    target_link_options(kelvora_options INTERFACE ${_kelvora_san})
endif()
