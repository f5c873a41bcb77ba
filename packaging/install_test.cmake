# Installs the build under PREFIX and checks the desktop integration there:
#   cmake -DBUILD_DIR=... -DPREFIX=... -DSIZES="16;...;256" [-DUPDATE_MIME_DATABASE=...]
#         [-DPYTHON=... -DPYTHON_DIR=...] [-DPAGE=vortane.html] -P install_test.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(faults)
set(desktop ${PREFIX}/share/applications/vortane.desktop)
set(mime_xml ${PREFIX}/share/mime/packages/vortane-case.xml)
set(hicolor ${PREFIX}/share/icons/hicolor)
set(doc ${PREFIX}/share/doc/vortane)
foreach(file ${PREFIX}/bin/vortane-calc ${desktop} ${mime_xml} ${hicolor}/scalable/apps/vortane.svg
    ${doc}/copyright ${doc}/changelog.Debian.gz ${doc}/guide.md ${doc}/guide.html
    ${PREFIX}/share/man/man1/vortane.1.gz ${PREFIX}/share/man/man1/vortane-calc.1.gz)
  if(NOT EXISTS ${file})
    list(APPEND faults "missing ${file}")
  endif()
endforeach()

# The material library beside the program, which lists it from there.
set(materials ${PREFIX}/share/vortane/materials)
file(GLOB shipped RELATIVE ${materials} ${materials}/*.vgrade)
if(NOT shipped)
  list(APPEND faults "no grade files in ${materials}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${PREFIX}/no-user-data
    ${PREFIX}/bin/vortane-calc --list-materials
  OUTPUT_VARIABLE listed ERROR_VARIABLE error RESULT_VARIABLE result)
string(REGEX MATCHALL "\n" lines "\n${listed}")
list(LENGTH shipped files)
list(LENGTH lines count)
math(EXPR count "${count} - 1")
if(NOT result EQUAL 0 OR NOT count EQUAL files)
  list(APPEND faults "vortane-calc --list-materials: ${result}, ${count} grades of ${files}: ${error}")
endif()

# The page, when the build was given one, byte for byte.
if(PAGE)
  set(page ${PREFIX}/share/vortane/vortane.html)
  if(NOT EXISTS ${page})
    list(APPEND faults "missing ${page}")
  else()
    file(SHA256 ${PAGE} built)
    file(SHA256 ${page} installed)
    if(NOT built STREQUAL installed)
      list(APPEND faults "${page} differs from ${PAGE}")
    endif()
  endif()
endif()

# Each PNG: the signature, then the IHDR chunk whose width and height are the
# size of its folder.
foreach(size IN LISTS SIZES)
  set(png ${hicolor}/${size}x${size}/apps/vortane.png)
  if(NOT EXISTS ${png})
    list(APPEND faults "missing ${png}")
    continue()
  endif()
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 32 start)
  string(LENGTH "${header}" length)
  if(NOT start STREQUAL "89504e470d0a1a0a0000000d49484452" OR length LESS 48)
    list(APPEND faults "${png} does not start as a PNG: ${header}")
    continue()
  endif()
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    list(APPEND faults "${png} is ${width}x${height}")
  endif()
endforeach()

# The desktop entry names an installed program, an installed icon and the MIME
# type that the XML declares.
if(EXISTS ${desktop} AND EXISTS ${mime_xml})
  file(STRINGS ${desktop} exec REGEX "^Exec=")
  file(STRINGS ${desktop} icon REGEX "^Icon=")
  file(STRINGS ${desktop} types REGEX "^MimeType=")
  string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" program "${exec}")
  string(REGEX REPLACE "^Icon=" "" icon "${icon}")
  string(REGEX REPLACE "^MimeType=" "" types "${types}")
  string(REPLACE "\\;" ";" types "${types}")
  list(REMOVE_ITEM types "")
  if(NOT program OR NOT EXISTS ${PREFIX}/bin/${program})
    list(APPEND faults "desktop entry runs '${program}', not installed")
  endif()
  if(NOT icon OR NOT EXISTS ${hicolor}/scalable/apps/${icon}.svg)
    list(APPEND faults "desktop entry shows icon '${icon}', not installed")
  endif()
  file(READ ${mime_xml} xml)
  if(NOT types)
    list(APPEND faults "desktop entry declares no MIME type")
  endif()
  foreach(type IN LISTS types)
    string(FIND "${xml}" "<mime-type type=\"${type}\">" at)
    if(at LESS 0)
      list(APPEND faults "desktop entry opens ${type}, not declared in ${mime_xml}")
    endif()
    # Files of the type show the icon named after it.
    string(REPLACE "/" "-" type_icon "${type}")
    if(NOT EXISTS ${hicolor}/scalable/mimetypes/${type_icon}.svg)
      list(APPEND faults "no icon ${type_icon} for ${type}")
    endif()
  endforeach()
endif()

# The MIME XML as the desktop reads it: the database built from it maps
# *.vcase to the case type, a kind of text/plain.
if(UPDATE_MIME_DATABASE AND EXISTS ${mime_xml})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/share
      ${UPDATE_MIME_DATABASE} ${PREFIX}/share/mime
    RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0 OR error)
    list(APPEND faults "update-mime-database: ${result} ${error}")
  else()
    file(STRINGS ${PREFIX}/share/mime/globs2 globs REGEX ":application/x-vortane-case:\\*\\.vcase$")
    file(STRINGS ${PREFIX}/share/mime/subclasses parents REGEX "^application/x-vortane-case text/plain$")
    if(NOT globs OR NOT parents)
      list(APPEND faults "MIME database: *.vcase glob '${globs}', parent '${parents}'")
    endif()
  endif()
endif()

# The Python module, when built, imports from where it is installed and runs.
if(PYTHON)
  set(package ${PREFIX}/${PYTHON_DIR}/vortane)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${PREFIX}/${PYTHON_DIR} PYTHONNOUSERSITE=1
      ${PYTHON} -c "import vortane; print(vortane.__file__, vortane.run().outcome)"
    WORKING_DIRECTORY ${PREFIX} OUTPUT_VARIABLE imported ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT imported STREQUAL "${package}/__init__.py complete\n")
    list(APPEND faults "python module in ${package}: ${result} ${imported} ${error}")
  endif()
  foreach(file __init__.pyi py.typed)
    if(NOT EXISTS ${package}/${file})
      list(APPEND faults "missing ${package}/${file}")
    endif()
  endforeach()
endif()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "install check failed:\n  ${text}")
endif()
