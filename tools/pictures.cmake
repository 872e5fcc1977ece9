# Draws every picture of docs/images from the instrument itself: the glyph
# sheets, the atlas of every screen, and the pictures the runner scripts in
# docs/images/screens and docs/frames dump, and a difference picture. With OUT other than SOURCE the
# scripts are copied there first, so a check can draw into a scratch tree.
#   cmake -DSOURCE=. -DOUT=. -DRUNNER=... -DATLAS=... -DSHEETS=... -P tools/pictures.cmake
foreach(var SOURCE OUT RUNNER ATLAS SHEETS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "pictures.cmake needs -D${var}=...")
  endif()
endforeach()
foreach(var SOURCE RUNNER ATLAS SHEETS)
  file(REAL_PATH "${${var}}" ${var})
endforeach()
file(MAKE_DIRECTORY "${OUT}")
file(REAL_PATH "${OUT}" OUT)

set(picture_scripts docs/images/screens/frames.qtr docs/images/screens/setup-frames.qtr
    docs/frames/splash.qtr)
if(NOT OUT STREQUAL SOURCE)
  foreach(script ${picture_scripts} docs/frames/frame-diff.qtr docs/frames/frame-diff.pbm)
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

# The difference picture of a frame check that fails on purpose; run from its
# folder so that its caption names the golden the same way wherever it is drawn.
set(frames "${OUT}/docs/frames")
execute_process(COMMAND ${RUNNER} --quiet frame-diff.qtr WORKING_DIRECTORY "${frames}"
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT EXISTS "${frames}/frame-diff.diff.png")
  message(FATAL_ERROR "frame-diff.qtr should fail with a difference picture (${status}):\n${err}")
endif()
file(COPY_FILE "${frames}/frame-diff.diff.png" "${OUT}/docs/images/frame-diff.png")
file(REMOVE "${frames}/frame-diff.diff.png" "${frames}/frame-diff.actual.pbm")
