# Runs the codec table generator into a scratch folder and fails unless its
# output is byte-identical to the committed file.
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
get_filename_component(name "${COMMITTED}" NAME)
execute_process(COMMAND "${PYTHON}" "${GENERATOR}" --output "${SCRATCH}/${name}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${COMMITTED}" "${SCRATCH}/${name}" RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} differs from what ${GENERATOR} writes now; run the generator and commit")
endif()
