# Writes the man page of skardetools-cli from its source, with the version of the build. The
# page is written for the manual, not taken from --help, so no program runs (a cross build
# could not run it).
# Usage: cmake -DSOURCE=skardetools-cli.1.in -DVERSION=X.Y.Z -DOUTPUT=FILE -P makemanpage.cmake

configure_file(${SOURCE} ${OUTPUT} @ONLY)
