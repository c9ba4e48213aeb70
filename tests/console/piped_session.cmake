# Runs the built program with its input from a file and checks what a pipe user sees:
# the dialogue's own texts, no terminal escape codes, no wait at the pause, exit status 0.
# Usage: cmake -DPROGRAM=path/to/dreisatz [-DLAUNCHER="valgrind --error-exitcode=99"]
#        -P piped_session.cmake

separate_arguments(launcher UNIX_COMMAND "${LAUNCHER}")

string(ASCII 27 escape)
set(input "${CMAKE_CURRENT_BINARY_DIR}/piped_session_input.txt")

function(run_piped name text args expected_tail)
    file(WRITE "${input}" "${text}")
    execute_process(
        COMMAND ${launcher} "${PROGRAM}" ${args}
        INPUT_FILE "${input}"
        OUTPUT_VARIABLE output
        RESULT_VARIABLE status
        TIMEOUT 120)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${name}: exit status '${status}'\n${output}")
    endif()
    string(FIND "${output}" "${escape}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${name}: escape code at byte ${at}")
    endif()
    string(FIND "${output}" "\n Willkommen beim Uebungs-Simulator" at)
    if(NOT at EQUAL 0)
        message(FATAL_ERROR "${name}: does not start with the greeting:\n${output}")
    endif()
    string(LENGTH "${output}" length)
    string(LENGTH "${expected_tail}" tail_length)
    math(EXPR from "${length} - ${tail_length}")
    string(SUBSTRING "${output}" ${from} -1 tail)
    if(NOT tail STREQUAL expected_tail)
        message(FATAL_ERROR "${name}: ends with\n[${tail}]\ninstead of\n[${expected_tail}]")
    endif()
endfunction()

set(separator_block
    "\n\n ---------------------------------------------------------- \n\n\n")
set(one_wrong " Du hast insgesamt 0 von 1 Punkten erreicht! \n\n Du musst noch mehr ueben! \n\n\n")

run_piped(WrongThenNine "0\n9\n" "" " zum Weitermachen druecke 1 und ENTER: ${separator_block}${one_wrong}")
run_piped(ArgumentsIgnored "0\n9\n" "--help;-x" "${separator_block}${one_wrong}")
# Lines that are no number are dropped whole, one longer than any read's buffer too.
string(REPEAT "zwanzig " 1000 long_line)
run_piped(JunkLinesDropped "weiter\n${long_line}\n0\n,5\n9\n" ""
          " zum Weitermachen druecke 1 und ENTER: ${separator_block}${one_wrong}")
run_piped(EmptyInput "" "" " Gib dein Ergebnis ein und druecke ENTER: ${separator_block}${one_wrong}")
