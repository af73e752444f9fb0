# For the scripts of the print tests: the Windows program that prints to the
# test printer run under Wine, and the text Ghostscript reads from its job.

# Runs program with the PPD and the job's file; fails unless it succeeds and
# the job is written.
function(kv_print_job run program ppd job)
    get_filename_component(name ${program} NAME_WE)
    file(REMOVE ${job})
    execute_process(COMMAND ${run} ${program} ${ppd} ${job} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    message("${out}")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${name} failed (${status}): ${err}")
    endif()
    if(NOT EXISTS ${job})
        message(FATAL_ERROR "no print job was written to ${job}")
    endif()
endfunction()

# The job's text, page after page, into the variable named out.
function(kv_job_text job out)
    execute_process(COMMAND gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile=- ${job}
                    RESULT_VARIABLE gs OUTPUT_VARIABLE text ERROR_VARIABLE gserr)
    if(NOT gs EQUAL 0)
        message(FATAL_ERROR "Ghostscript cannot read the job's text: ${gserr}")
    endif()
    # Ghostscript names a character by the glyph the font draws it with: with
    # some fonts a space comes back as a no-break space, a hyphen as a soft one.
    string(ASCII 194 160 nbsp)
    string(ASCII 194 173 shy)
    string(REPLACE "${nbsp}" " " text "${text}")
    string(REPLACE "${shy}" "-" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
