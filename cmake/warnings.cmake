# Warnings for every target built here, set per target rather than for the whole directory tree,
# so that third-party code built alongside (the cross build's GoogleTest) keeps its own options.
# SKARDE_WARNINGS_AS_ERRORS turns them into errors; CI sets it.

option(SKARDE_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

function(skarde_enable_warnings_in directory)
  get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                             $<$<BOOL:${SKARDE_WARNINGS_AS_ERRORS}>:-Werror>)
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    skarde_enable_warnings_in("${subdirectory}")
  endforeach()
endfunction()

# Qt's string hygiene: no silent conversions between QString and 8-bit text or URLs, where a
# wrong encoding would otherwise slip through.
function(skarde_enable_qt_hygiene target)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()
