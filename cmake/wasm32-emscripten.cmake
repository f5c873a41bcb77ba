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
