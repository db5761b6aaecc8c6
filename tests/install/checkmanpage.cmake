# The man page of skardetools-cli formats without a single warning and has the sections a
# reader looks for. Usage: cmake -DPAGE=FILE -P checkmanpage.cmake

execute_process(COMMAND groff -man -Tutf8 -ww -z ${PAGE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff finds fault with ${PAGE} (status ${status}):\n${warnings}")
endif()

file(READ ${PAGE} page)
foreach(section NAME SYNOPSIS COMMANDS OPTIONS "\"EXIT STATUS\"" ENVIRONMENT FILES EXAMPLES
        "\"SEE ALSO\"")
  string(FIND "${page}" ".SH ${section}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no section ${section}")
  endif()
endforeach()
foreach(command pbmp2bmp pba2bmp bmp2pbmp ppl2pal "\"vol list\"" "\"vol extract\"" "\"vol update\""
        "\"vol add\"" "\"vol remove\"" "\"vol pack\"")
  string(FIND "${page}" ".SS ${command}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no section for ${command}")
  endif()
endforeach()
