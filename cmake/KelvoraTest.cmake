# kelvora_add_test(<name> SOURCES ... LIBS ...)
# One test executable per subsystem; the shared test main fixes the platform, language and time zone.
function(kelvora_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} kelvora_testmain GTest::gtest GTest::gmock kelvora_options)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_MODE PRE_TEST)
endfunction()
