# Runs a table generator into a scratch folder and fails unless it writes the
# committed file byte for byte. A generator that reads OpenCC's dictionaries
# is given OPENCC_DICT; where that tool is missing, it prints the skip message.
if(DEFINED OPENCC_DICT AND (NOT OPENCC_DICT OR NOT EXISTS "${OPENCC_DICT}"))
  message("opencc_dict is not installed: ${GENERATOR} cannot run")
  return()
endif()
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
get_filename_component(name "${COMMITTED}" NAME)
execute_process(COMMAND "${PYTHON}" "${GENERATOR}" --output "${SCRATCH}/${name}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${COMMITTED}" "${SCRATCH}/${name}"
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} differs from what ${GENERATOR} writes now; run it and commit the result")
endif()
