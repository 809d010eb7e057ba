# Draws the icon again with its script and requires the committed file byte for byte,
# so that the picture in the binaries is always the one the script describes.
execute_process(COMMAND ${PYTHON} ${SCRIPT} ${OUT} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_icon.py failed (${rc}): ${err}")
endif()
file(SHA256 ${ICON} committed)
file(SHA256 ${OUT} drawn)
if(NOT committed STREQUAL drawn)
  message(FATAL_ERROR "${ICON} is not what tools/icon/make_icon.py draws: "
                      "run it again (python3 tools/icon/make_icon.py ${ICON}) and commit the icon")
endif()
file(READ ${OUT} head LIMIT 6 HEX)
if(NOT head STREQUAL "000001000300")
  message(FATAL_ERROR "the icon does not start with an icon directory of three images: ${head}")
endif()
message(STATUS "icon: the committed file is the script's drawing")
