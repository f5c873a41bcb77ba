# vortane.html from its template: the styles, the page's script, the worker's
# script with the core module's before it, and the core's WebAssembly,
# compressed (gzip) and in base64, each put in its place. Nothing is loaded
# from elsewhere. A text that would end its element early ("</script",
# "</style") cannot be inlined and stops the build.
file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${SCRIPT} script)
file(READ ${CORE} core)
file(READ ${WORKER} worker)
foreach(part style script core worker)
  string(TOLOWER "${${part}}" lower)
  string(FIND "${lower}" "</script" at_script)
  string(FIND "${lower}" "</style" at_style)
  if(NOT at_script EQUAL -1 OR NOT at_style EQUAL -1)
    message(FATAL_ERROR "${part} holds a closing tag and cannot be inlined")
  endif()
endforeach()
# gzip -n: no name or time in the header, so the same module gives the same page.
execute_process(COMMAND sh -c "gzip -9 -n -c \"$1\" | base64 -w 0" sh ${WASM}
  OUTPUT_VARIABLE wasm RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR wasm STREQUAL "")
  message(FATAL_ERROR "${WASM} could not be compressed for the page")
endif()
string(REPLACE "/*STYLE*/" "${style}" page "${page}")
string(REPLACE "/*SCRIPT*/" "${script}" page "${page}")
string(REPLACE "/*WORKER*/" "${core}\n${worker}" page "${page}")
string(REPLACE "/*WASM*/" "${wasm}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
