# Runs qhelpgenerator as one build step, quietly: nothing is printed when it succeeds. Any
# warning or error it reports (a missing file, a broken link, a malformed project) fails the
# step and is shown, and no output file is left behind.
#
# Called with cmake -P and these variables:
#   QHELPGENERATOR  the qhelpgenerator executable
#   INPUT           the help project (.qhp) or help collection project (.qhcp)
#   OUTPUT          the compressed help (.qch) or help collection to write
#   CHECK_LINKS     ON to check that every link of the HTML pages points to a file of the project

foreach(required QHELPGENERATOR INPUT OUTPUT)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "run_qhelpgenerator.cmake needs -D${required}=...")
    endif()
endforeach()

set(arguments "${INPUT}" -s -o "${OUTPUT}")
if(CHECK_LINKS)
    list(APPEND arguments -c)
endif()

file(REMOVE "${OUTPUT}")
execute_process(
    COMMAND "${QHELPGENERATOR}" ${arguments}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE report
    ERROR_VARIABLE report)

# Lines that carry no news: the progress lines that -s does not silence for a collection, and
# Qt's notice that the build environment has no XDG_RUNTIME_DIR.
string(REGEX REPLACE "[^\n]*XDG_RUNTIME_DIR not set[^\n]*\n?" "" report "${report}")
string(REGEX REPLACE "Reading collection config file\\.\\.\\.\n?" "" report "${report}")
string(REGEX REPLACE "Creating collection file\\.\\.\\.\n?" "" report "${report}")
string(STRIP "${report}" report)

if(NOT result EQUAL 0 OR NOT report STREQUAL "" OR NOT EXISTS "${OUTPUT}")
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "qhelpgenerator failed on ${INPUT} (exit status ${result}):\n${report}")
endif()
