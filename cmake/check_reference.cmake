# Fails when docs/reference.md differs from what the generator writes now.
execute_process(COMMAND ${GENERATOR} OUTPUT_VARIABLE generated RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gen_reference failed: ${result}")
endif()
file(READ ${REFERENCE} checked_in)
if(NOT generated STREQUAL checked_in)
  message(FATAL_ERROR "docs/reference.md is out of date: run build/native/gen_reference > "
                      "docs/reference.md")
endif()
