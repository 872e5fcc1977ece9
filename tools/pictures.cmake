# Draws every picture of docs/images from the instrument itself: the glyph
# sheets, the atlas of every screen, and the pictures the runner scripts in
# docs/images/screens and docs/frames dump. With OUT other than SOURCE the
# scripts are copied there first, so a check can draw into a scratch tree.
#   cmake -DSOURCE=. -DOUT=. -DRUNNER=... -DATLAS=... -DSHEETS=... -P tools/pictures.cmake
foreach(var SOURCE OUT RUNNER ATLAS SHEETS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "pictures.cmake needs -D${var}=...")
  endif()
endforeach()
file(REAL_PATH "${SOURCE}" SOURCE)
file(MAKE_DIRECTORY "${OUT}")
file(REAL_PATH "${OUT}" OUT)

set(picture_scripts docs/images/screens/frames.qtr docs/images/screens/setup-frames.qtr
    docs/frames/splash.qtr)
if(NOT OUT STREQUAL SOURCE)
  foreach(script ${picture_scripts})
    get_filename_component(dir "${OUT}/${script}" DIRECTORY)
    file(COPY "${SOURCE}/${script}" DESTINATION "${dir}")
  endforeach()
endif()

function(draw)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${err}")
  endif()
endfunction()

draw(${SHEETS} "${OUT}/docs/images")
draw(${ATLAS} "${SOURCE}/docs/atlas/atlas.qtr" "${OUT}/docs/images")
foreach(script ${picture_scripts})
  draw(${RUNNER} --quiet "${OUT}/${script}")
endforeach()
