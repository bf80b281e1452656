# Reruns tools/gen_skins.py into WORK and compares with the committed header.
set(fresh "${WORK}/skin_catalogue.fresh.h")
execute_process(COMMAND "${PYTHON}" "${SOURCE}/tools/gen_skins.py" --output "${fresh}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tools/gen_skins.py failed: ${status}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
  "${fresh}" "${SOURCE}/skin/generated/skin_catalogue.h" RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "skin/generated/skin_catalogue.h differs from what tools/gen_skins.py makes; rerun it")
endif()
