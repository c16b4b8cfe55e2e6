# Runs a fuzz target for a bounded time over a fresh copy of its seed corpus, so that the source
# tree is never written and every run starts alike. A crash input is left in WORK.
#   cmake -D FUZZER=<program> -D SEEDS=<folder> -D WORK=<folder> -D SECONDS=<n> -P run_bounded.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${WORK}/corpus)
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -print_final_stats=1
    -artifact_prefix=${WORK}/ ${WORK}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); an input that broke it is kept in ${WORK}")
endif()
