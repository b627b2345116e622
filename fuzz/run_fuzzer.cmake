# cmake -DFUZZER=<program> -DSEEDS=<folder> -DWORK=<folder> -DSECONDS=<n> -P run_fuzzer.cmake
# Fuzzes a fresh copy of the seed corpus, so the sources never collect generated inputs, and fails
# on anything libFuzzer reports: a crash, a sanitizer finding, a leak, a hang of more than ten
# seconds on one input, or memory beyond the limit. A failing input is left in WORK for replay:
# <program> WORK/crash-... (or leak-/timeout-/oom-).
foreach(var FUZZER SEEDS WORK SECONDS)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "run_fuzzer.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
file(GLOB seeds ${SEEDS}/*)
if(seeds)
    file(COPY ${seeds} DESTINATION ${WORK}/corpus)
endif()

execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
            -artifact_prefix=${WORK}/ ${WORK}/corpus
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(GLOB artifacts ${WORK}/crash-* ${WORK}/leak-* ${WORK}/timeout-* ${WORK}/oom-*)
    message(FATAL_ERROR "${FUZZER} failed (${result}); reproducer: ${artifacts}")
endif()
