# Checks an installation of SkardeTools under the prefix ROOT: every installed file is in its
# place, and the installed CLI converts SAMPLE (a game bitmap) with the installed palettes,
# given no --pals, and says so when they are missing.
# With BUILD_DIR, first installs that build into ROOT, which is emptied.
# With BROWSER true, the browser module must be installed too; with THUMBNAILER true, the
# thumbnailer, which must make a PNG of SAMPLE.
# Usage: cmake [-DBUILD_DIR=DIR] -DROOT=PREFIX -DSAMPLE=FILE -DVERSION=X.Y.Z [-DBROWSER=1]
#              [-DTHUMBNAILER=1] -P checkinstallation.cmake

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

if(BUILD_DIR)
  file(REMOVE_RECURSE ${ROOT})
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${ROOT}
                  OUTPUT_QUIET RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    fail("cmake --install ${BUILD_DIR} --prefix ${ROOT} failed: ${status}")
  endif()
endif()

set(pals ${ROOT}/share/skardetools/pals)
set(expected
  bin/skardetools
  bin/skardetools-cli
  share/skardetools/pals/grey.pal
  share/applications/skardetools.desktop
  share/mime/packages/skardetools.xml
  share/man/man1/skardetools-cli.1)
foreach(size 32 48 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/skardetools.png)
endforeach()
if(BROWSER)
  list(APPEND expected lib/skardetools/skardebrowser.so)
endif()
if(THUMBNAILER)
  list(APPEND expected bin/skardetools-thumbnailer share/thumbnailers/skardetools.thumbnailer)
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${ROOT}/${file})
    fail("${ROOT}/${file} was not installed")
  endif()
endforeach()

file(READ ${ROOT}/share/applications/skardetools.desktop desktopEntry)
foreach(line "Name=SkardeTools" "Exec=skardetools %F" "Icon=skardetools" "Categories=Game;Utility;"
        "MimeType=application/x-skarde-vol;image/x-skarde-pbmp;image/x-skarde-pba;application/x-skarde-ppl;")
  string(FIND "${desktopEntry}" "\n${line}\n" at)
  if(at EQUAL -1)
    fail("the desktop entry lacks ${line}")
  endif()
endforeach()
file(STRINGS ${ROOT}/share/man/man1/skardetools-cli.1 title LIMIT_COUNT 1)
if(NOT title MATCHES "\"SkardeTools ${VERSION}\"")
  fail("the man page does not give version ${VERSION}: ${title}")
endif()

set(output ${ROOT}/check-output)
file(REMOVE_RECURSE ${output})
file(MAKE_DIRECTORY ${output})
get_filename_component(sampleName ${SAMPLE} NAME)
set(convert ${ROOT}/bin/skardetools-cli pbmp2bmp -o ${output} ${SAMPLE})

execute_process(COMMAND ${convert} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT EXISTS ${output}/${sampleName})
  fail("the installed CLI did not convert ${SAMPLE}: ${status} ${errors}")
endif()

# Without the installed palettes it must fail, naming the grey.pal it looked for.
file(RENAME ${pals} ${pals}.away)
execute_process(COMMAND ${convert} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
file(RENAME ${pals}.away ${pals})
string(FIND "${errors}" "${ROOT}/bin/pals/grey.pal: The fallback palette is missing" at)
if(NOT status EQUAL 1 OR at EQUAL -1)
  fail("without its palettes the installed CLI gave ${status}: ${errors}")
endif()
if(THUMBNAILER)
  execute_process(COMMAND ${ROOT}/bin/skardetools-thumbnailer -s 64 ${SAMPLE} ${output}/thumb.png
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  file(READ ${output}/thumb.png signature LIMIT 4 HEX)
  if(NOT status EQUAL 0 OR NOT signature STREQUAL "89504e47")
    fail("the installed thumbnailer made no PNG of ${SAMPLE}: ${status} ${errors}")
  endif()
endif()
file(REMOVE_RECURSE ${output})
message(STATUS "The installation under ${ROOT} is complete and works")
