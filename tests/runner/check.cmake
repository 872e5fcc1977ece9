# Runs one runner case and compares its exit status and its standard error
# with the case's .expect file: first line the exit status, then the lines
# that standard error must contain, in order.
get_filename_component(dir ${CASE} DIRECTORY)
get_filename_component(name ${CASE} NAME_WE)
set(expect_file ${dir}/${name}.expect)
if(NOT EXISTS ${expect_file})
  message(FATAL_ERROR "missing ${expect_file}")
endif()
execute_process(COMMAND ${RUNNER} --quiet ${CASE}
  WORKING_DIRECTORY ${dir}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(STRINGS ${expect_file} lines)
list(POP_FRONT lines want_status)
if(NOT status STREQUAL want_status)
  message(FATAL_ERROR "exit status ${status}, expected ${want_status}\nstdout:\n${out}\nstderr:\n${err}")
endif()
set(rest "${err}")
foreach(line IN LISTS lines)
  string(FIND "${rest}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "stderr lacks (in order): ${line}\nstderr:\n${err}")
  endif()
  string(LENGTH "${line}" len)
  math(EXPR next "${at} + ${len}")
  string(SUBSTRING "${rest}" ${next} -1 rest)
endforeach()
