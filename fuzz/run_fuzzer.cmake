# Runs one fuzz target for a fixed time, from its seed corpus plus what earlier runs found.
#   cmake -DFUZZER=<program> -DSEEDS=<seed dir> -DWORK=<work dir> -DSECONDS=<n> -DSEED=<n>
#         -DFRESH=<ON|OFF> -DLOCALE_DIR=<dir> -P run_fuzzer.cmake
# The seed directory is only read: new inputs go to WORK/corpus, crashes to WORK/artifacts.
# The target runs under the German C library locale found in LOCALE_DIR.
foreach(required FUZZER SEEDS WORK SECONDS SEED LOCALE_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "run_fuzzer.cmake needs -D${required}=...")
  endif()
endforeach()

if(FRESH)
  file(REMOVE_RECURSE "${WORK}")
endif()
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")

set(ENV{LOCPATH} "${LOCALE_DIR}")
set(ENV{LC_ALL} de_DE.UTF-8)
execute_process(
  COMMAND "${FUZZER}"
    -seed=${SEED}
    -max_total_time=${SECONDS}
    -max_len=4096
    -timeout=10
    -rss_limit_mb=2048
    -print_final_stats=1
    "-artifact_prefix=${WORK}/artifacts/"
    "${WORK}/corpus" "${SEEDS}"
  RESULT_VARIABLE result)

if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that failed is in ${WORK}/artifacts")
endif()
