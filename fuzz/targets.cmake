# The fuzz targets, shared by the fuzz project (make fuzz) and the test run (make test).
set(MOTORECKON_FUZZ_TARGETS
  parse_leading_number
  parse_number_strict
  parse_linear
  number_writings
  key_filter
  displacement
)

# One test per target: the program fuzz_<name> in `binary_dir` runs for `seconds` from its seed
# corpus in fuzz/corpus/<name>, under the German C library locale built in
# `binary_dir`/locale. The inputs it finds and any crash go under `binary_dir`/run/<name>,
# never into the source tree. `seed` 0 picks a random seed; `fresh` starts from the seed corpus
# alone instead of what earlier runs found.
function(motoreckon_add_fuzz_tests binary_dir seconds seed fresh)
  foreach(name IN LISTS MOTORECKON_FUZZ_TARGETS)
    add_test(NAME fuzz_${name}
      COMMAND ${CMAKE_COMMAND}
        -DFUZZER=${binary_dir}/fuzz_${name}
        -DSEEDS=${MOTORECKON_FUZZ_SOURCE_DIR}/corpus/${name}
        -DWORK=${binary_dir}/run/${name}
        -DSECONDS=${seconds}
        -DSEED=${seed}
        -DFRESH=${fresh}
        -DLOCALE_DIR=${binary_dir}/locale
        -P ${MOTORECKON_FUZZ_SOURCE_DIR}/run_fuzzer.cmake)
    math(EXPR limit "${seconds} * 3 + 60")
    set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT ${limit})
  endforeach()
endfunction()
