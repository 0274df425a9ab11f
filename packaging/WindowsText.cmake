# The manual as Windows text: rendered by groff for Windows (register W: no
# Linux-only passages) without hyphenation, in ASCII, with CR LF line ends.
#   cmake -DGROFF=... -DIN=TARNEL.1 -DOUT=TARNEL.txt -P WindowsText.cmake
execute_process(COMMAND ${GROFF} -man -rW=1 -rHY=0 -Tascii -P-cbou ${IN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "groff failed on ${IN}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
