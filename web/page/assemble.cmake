# vortane.html from its template: the styles, the page's script, and the
# worker's script with the core module before it, each put in its place.
# Nothing is loaded from elsewhere. A text that would end its element early
# ("</script", "</style") cannot be inlined and stops the build.
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
string(REPLACE "/*STYLE*/" "${style}" page "${page}")
string(REPLACE "/*SCRIPT*/" "${script}" page "${page}")
string(REPLACE "/*WORKER*/" "${core}\n${worker}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
