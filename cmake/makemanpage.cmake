# Writes the man page of skardetools-cli from what its --help prints.
# Usage: cmake -DCLI=PROGRAM -DVERSION=X.Y.Z -DOUTPUT=FILE -P makemanpage.cmake

execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed: ${status}")
endif()

# Shown as it is: backslashes and minus signs escaped, and no line taken for a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")

file(WRITE ${OUTPUT}.new ".TH SKARDETOOLS\\-CLI 1 \"\" \"SkardeTools ${VERSION}\" \"User Commands\"
.SH NAME
skardetools\\-cli \\- convert the game Skarde's files from the command line
.SH SYNOPSIS
.B skardetools\\-cli
.I COMMAND
[\\fIOPTIONS\\fR] \\fIFILE\\fR...
.br
.B skardetools\\-cli \\-\\-version
.SH DESCRIPTION
.nf
${help}.fi
.SH FILES
.TP
.I pals/
the palettes beside the program, for a copy run from its own folder
.TP
.I ../share/skardetools/pals/
the installed palettes, used when there are none beside the program
")
file(RENAME ${OUTPUT}.new ${OUTPUT})
