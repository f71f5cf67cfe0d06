# Runs one scenario script in a fresh folder and compares its output with the expected lines.
#
# Besides the runner's own lines, a script may hold two kinds of comment lines that only this
# test reads (the runner skips every line starting with "#"):
#   #! COMMAND   run before the script in the folder, e.g. "#! sg-race demo $DIR/c.tur 5"
#   #= COMMAND   run after it; its output joins the script's. "sha256 FILE" prints the file's
#                digest, so that a saved race file is compared byte for byte.
# "sg-race" names the built tool and "$DIR" the folder, written $DIR in the output too.
cmake_minimum_required(VERSION 3.25)
get_filename_component(name ${SCRIPT} NAME_WE)
set(dir ${WORK}/${name})
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})

file(STRINGS ${SCRIPT} lines ENCODING UTF-8)
set(before "")
set(after "")
foreach(line IN LISTS lines)
    if(line MATCHES "^#! (.*)$")
        list(APPEND before "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^#= (.*)$")
        list(APPEND after "${CMAKE_MATCH_1}")
    endif()
endforeach()

function(run_command command output)
    string(REPLACE "$DIR" "${dir}" command "${command}")
    separate_arguments(arguments UNIX_COMMAND "${command}")
    list(POP_FRONT arguments program)
    if(program STREQUAL "sg-race")
        set(program ${RACE_TOOL})
    endif()
    if(program STREQUAL "sha256")
        file(SHA256 ${arguments} digest)
        set(shown "sha256 ${arguments} = ${digest}\n")
    else()
        execute_process(COMMAND ${program} ${arguments} WORKING_DIRECTORY ${dir}
            OUTPUT_VARIABLE shown ERROR_VARIABLE shown RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            set(shown "${shown}(${program} exited with ${status})\n")
        endif()
    endif()
    string(REPLACE "${dir}" "$DIR" shown "${shown}")
    set(${output} "${shown}" PARENT_SCOPE)
endfunction()

foreach(command IN LISTS before)
    run_command("${command}" ignored)
endforeach()

execute_process(
    COMMAND ${RUNNER} --dir ${dir} --decimal-separator ${SEPARATOR} ${SCRIPT}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "sg-scenario exited with ${status}: ${errors}\n${actual}")
endif()
foreach(command IN LISTS after)
    run_command("${command}" shown)
    string(APPEND actual "${shown}")
endforeach()

# SG_SCENARIO_WRITE=1 in the environment writes the output as the expected one, for review
# with git diff.
if(DEFINED ENV{SG_SCENARIO_WRITE})
    file(WRITE ${EXPECTED} "${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    # The first line that differs, with its number, rather than the whole output.
    string(REPLACE ";" "\\;" actual_escaped "${actual}")
    string(REPLACE ";" "\\;" expected_escaped "${expected}")
    string(REPLACE "\n" ";" actual_lines "${actual_escaped}")
    string(REPLACE "\n" ";" expected_lines "${expected_escaped}")
    list(LENGTH actual_lines actual_count)
    list(LENGTH expected_lines expected_count)
    set(number 0)
    while(TRUE)
        set(got "(end of output)")
        set(wanted "(end of expected output)")
        if(number LESS actual_count)
            list(GET actual_lines ${number} got)
        endif()
        if(number LESS expected_count)
            list(GET expected_lines ${number} wanted)
        endif()
        math(EXPR number "${number} + 1")
        if(NOT got STREQUAL wanted)
            break()
        endif()
    endwhile()
    message(FATAL_ERROR "${EXPECTED}:${number}: output differs\n"
        "  expected: ${wanted}\n  actual:   ${got}")
endif()
