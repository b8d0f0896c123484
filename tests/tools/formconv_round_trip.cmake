# Runs formconv on real files: a sample text form converts to binary and back to the same bytes, and
# failing conversions exit with a code per kind of failure (64 usage, 65 invalid form, 66 unreadable input,
# 73 output not written) with the framework's message and leave no output file behind. Input from a pipe
# and "-" for standard input and output; the output file keeps its mode and a link to it stays a link;
# --verbose says which kind of binary form it found.
# Parameters: FORMCONV (the tool), SAMPLE (a text form in the writer's own layout), RESOURCE_FORM (a binary
# form after a resource header), WORK_DIR.

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(run_formconv expected_rc expected_error)
    execute_process(COMMAND "${FORMCONV}" ${ARGN}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL expected_rc)
        message(FATAL_ERROR "formconv ${ARGN}: exit ${rc}, expected ${expected_rc}\n${err}")
    endif()
    if(NOT err MATCHES "${expected_error}")
        message(FATAL_ERROR "formconv ${ARGN}: error output '${err}' does not match '${expected_error}'")
    endif()
endfunction()

function(expect_same_files expected actual what)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${expected}" "${actual}"
        RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${what}")
    endif()
endfunction()

function(expect_only_files)
    file(GLOB present RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
    list(SORT present)
    set(expected ${ARGN})
    list(SORT expected)
    if(NOT "${present}" STREQUAL "${expected}")
        message(FATAL_ERROR "files in the work folder: '${present}', expected '${expected}'")
    endif()
endfunction()

# Round trip.
run_formconv(0 "^$" --to-binary "${SAMPLE}" "${WORK_DIR}/sample.bin")
run_formconv(0 "^$" --to-text "${WORK_DIR}/sample.bin" "${WORK_DIR}/sample.form")
expect_same_files("${SAMPLE}" "${WORK_DIR}/sample.form"
    "the text converted back differs from ${SAMPLE}")
file(READ "${WORK_DIR}/sample.bin" signature LIMIT 4 HEX)
if(NOT signature STREQUAL "54504630")
    message(FATAL_ERROR "the binary form does not start with TPF0")
endif()

# A syntax error: the message with its line, no output, no temporary file left.
file(WRITE "${WORK_DIR}/broken.form" "object Form1: TForm1\n  Left = 1\n  Top 2\nend\n")
run_formconv(65 "'=' expected on line 3" --to-binary "${WORK_DIR}/broken.form" "${WORK_DIR}/broken.bin")
# Bad binary input.
run_formconv(65 "Invalid stream format" --to-text "${WORK_DIR}/broken.form" "${WORK_DIR}/broken.txt")
# A missing input file, named as given.
run_formconv(66 "Cannot open file ${WORK_DIR}/missing.form" --to-text "${WORK_DIR}/missing.form"
    "${WORK_DIR}/missing.txt")
expect_only_files(broken.form sample.bin sample.form)

# Help and version.
execute_process(COMMAND "${FORMCONV}" --help RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "--to-binary IN OUT" OR NOT out MATCHES "Exit codes")
    message(FATAL_ERROR "formconv --help: exit ${rc}, output '${out}'")
endif()
execute_process(COMMAND "${FORMCONV}" --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^formconv \\(Formwright\\) [0-9]+\\.[0-9]+\\.[0-9]+")
    message(FATAL_ERROR "formconv --version: exit ${rc}, output '${out}'")
endif()

# A failed conversion leaves an existing output file as it was.
file(WRITE "${WORK_DIR}/kept.bin" "previous contents")
run_formconv(65 "'=' expected on line 3" --to-binary "${WORK_DIR}/broken.form" "${WORK_DIR}/kept.bin")
file(READ "${WORK_DIR}/kept.bin" kept)
if(NOT kept STREQUAL "previous contents")
    message(FATAL_ERROR "a failed conversion changed the existing output file")
endif()

# An output folder that does not exist.
run_formconv(73 "Cannot create file ${WORK_DIR}/none/out.bin" --to-binary "${SAMPLE}" "${WORK_DIR}/none/out.bin")

# Bad arguments print the usage and exit 64.
run_formconv(64 "usage: formconv" --to-binary "${SAMPLE}")
run_formconv(64 "usage: formconv" --to-xml "${SAMPLE}" "${WORK_DIR}/x")
expect_only_files(broken.form kept.bin sample.bin sample.form)

# Standard input and output, and input from a pipe (which cannot seek back).
execute_process(COMMAND cat "${SAMPLE}" COMMAND "${FORMCONV}" --to-binary - -
    OUTPUT_FILE "${WORK_DIR}/piped.bin" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "formconv --to-binary - - from a pipe: exit ${rc}\n${err}")
endif()
expect_same_files("${WORK_DIR}/sample.bin" "${WORK_DIR}/piped.bin"
    "the binary written to standard output differs from the one written to a file")
execute_process(COMMAND cat "${WORK_DIR}/piped.bin" COMMAND "${FORMCONV}" --to-text /dev/stdin -
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ "${SAMPLE}" sample_text)
if(NOT rc EQUAL 0 OR NOT out STREQUAL sample_text)
    message(FATAL_ERROR "formconv --to-text /dev/stdin - from a pipe: exit ${rc}\n${err}")
endif()
# A failed conversion writes nothing to standard output.
execute_process(COMMAND "${FORMCONV}" --to-binary "${WORK_DIR}/broken.form" -
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 65 OR NOT out STREQUAL "" OR NOT err MATCHES "'=' expected on line 3")
    message(FATAL_ERROR "a failed conversion to standard output: exit ${rc}, output '${out}', error '${err}'")
endif()

# The output file keeps its mode, and a link to it stays a link to the file it names.
file(CHMOD "${WORK_DIR}/kept.bin" PERMISSIONS OWNER_READ OWNER_WRITE)
run_formconv(0 "^$" --to-binary "${SAMPLE}" "${WORK_DIR}/kept.bin")
execute_process(COMMAND stat -c %a "${WORK_DIR}/kept.bin" OUTPUT_VARIABLE mode OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT mode STREQUAL "600")
    message(FATAL_ERROR "the output file's mode changed to ${mode}")
endif()
file(CREATE_LINK "kept.bin" "${WORK_DIR}/link.bin" SYMBOLIC)
run_formconv(0 "^$" --to-text "${WORK_DIR}/sample.bin" "${WORK_DIR}/link.bin")
if(NOT IS_SYMLINK "${WORK_DIR}/link.bin")
    message(FATAL_ERROR "the link to the output file was replaced by a file")
endif()
expect_same_files("${SAMPLE}" "${WORK_DIR}/kept.bin"
    "the file the link names did not get the new contents")

# --verbose names the kind of binary form.
run_formconv(0 "binary form stream\n" --verbose --to-text "${WORK_DIR}/sample.bin" "${WORK_DIR}/verbose.form")
run_formconv(0 "binary form with a resource header \\(resource TFORMKUNDEN, [0-9]+ bytes\\)"
    --verbose --to-text "${RESOURCE_FORM}" "${WORK_DIR}/resource.form")
run_formconv(0 "^$" --to-binary "${WORK_DIR}/resource.form" "${WORK_DIR}/resource.bin")
expect_only_files(broken.form kept.bin link.bin piped.bin resource.bin resource.form sample.bin sample.form
    verbose.form)
