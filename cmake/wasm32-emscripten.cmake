# WebAssembly with Debian's emscripten; vortane-calc runs under node. Exceptions
# on (emscripten ignores them by default), the .wasm inlined into the .js so
# node loads it from any path, and the host's files read and written as they
# are. em++ needs NODE_PATH=/usr/share/nodejs (scripts/web.sh sets it).
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# Its libc++ 13 has no <stop_token> and no std::jthread: cmake/compat gives them.
set(compat ${CMAKE_CURRENT_LIST_DIR}/compat)
set(CMAKE_C_FLAGS_INIT -fexceptions)
set(CMAKE_CXX_FLAGS_INIT "-fexceptions -isystem ${compat} -include ${compat}/stop_token")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sSINGLE_FILE=1 -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1")
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node)
# The long double functions the formulas call, glibc's binary128 ones as AArch64
# runs them (scripts/glibc-ldbl128.sh builds them, scripts/web.sh names the
# library): musl's lack binary128 precision or round otherwise. Linked after
# every program's own libraries, so they stand before the C library's; set on
# every configure, so a build folder made before cannot go without them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORTANE_GLIBC_LDBL128)
if(NOT EXISTS "${VORTANE_GLIBC_LDBL128}")
  message(FATAL_ERROR "VORTANE_GLIBC_LDBL128 names no library (\"${VORTANE_GLIBC_LDBL128}\"): "
                      "scripts/glibc-ldbl128.sh builds it, scripts/web.sh passes it")
endif()
foreach(language C CXX)
  set(CMAKE_${language}_STANDARD_LIBRARIES "${VORTANE_GLIBC_LDBL128}" CACHE STRING
      "glibc's long double functions (scripts/glibc-ldbl128.sh)" FORCE)
endforeach()
