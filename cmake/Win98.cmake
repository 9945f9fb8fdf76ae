# Shared rules for what we ship to Windows 98.
set(VARNEX_SCRIPTS ${CMAKE_SOURCE_DIR}/scripts)

if(WIN32)
  set(VARNEX_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
  # The 64-bit stand-in build (cmake/mingw-x86_64.cmake) runs its tests in a 64-bit prefix.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VARNEX_WINEARCH win64)
  else()
    set(VARNEX_WINEARCH win32)
  endif()
  # Prefix for every command that runs Wine, so that ctest alone picks the right prefix.
  set(VARNEX_WINE_ENV env WINEARCH=${VARNEX_WINEARCH})
  # Every Windows test runs in a throwaway copy of one prepared Wine prefix.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VARNEX_WINE_ENV} ${VARNEX_SCRIPTS}/wine-run.sh
      --template ${VARNEX_WINE_TEMPLATE})
  add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_WINDOWS=0x0410 _WIN32_IE=0x0400)
  add_compile_options(-fno-ident)
  add_link_options(-static-libgcc -static-libstdc++ -static)
  # Only the binaries we ship are optimised whole at link time (varnex_size_flags turns it on).
  add_link_options(-fno-lto)
endif()

# What ships is built for size: -Os, one section per function and datum so that the linker
# drops whatever nothing calls, and the runtime's printing terminate handler left out. The
# project's own static libraries in the binary's link closure are compiled the same way, so the
# Windows test runners link the code as it ships; their own sources keep their flags.
# WHOLE_PROGRAM adds link-time optimisation over the binary and that closure. The libraries'
# objects then carry their machine code beside the optimiser's form, so the other programs that
# link them (the Windows test runners) link that code as it is, without the slow whole-program
# step. It pays for Varnex.exe (a third smaller); the two small binaries grow with it, since the
# linker takes in runtime code for calls that the optimiser then removes.
set(VARNEX_SIZE_COMPILE_OPTIONS -Os -ffunction-sections -fdata-sections)
function(varnex_size_flags target)
  set(options ${VARNEX_SIZE_COMPILE_OPTIONS})
  if("WHOLE_PROGRAM" IN_LIST ARGN)
    list(APPEND options -flto -ffat-lto-objects)
    # One partition: GCC 12 for mingw stops with an internal compiler error when the program's
    # classes are spread over several.
    target_link_options(${target} PRIVATE -Os -flto -flto-partition=one)
  endif()
  target_compile_options(${target} PRIVATE ${options})
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/win32/silent_terminate.cpp)
  target_link_options(${target} PRIVATE -Wl,--gc-sections)
  set(pending ${target})
  set(seen)
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(libraries ${current} LINK_LIBRARIES)
    foreach(library IN LISTS libraries)
      if(NOT TARGET ${library} OR library IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${library})
      get_target_property(imported ${library} IMPORTED)
      get_target_property(library_kind ${library} TYPE)
      if(NOT imported AND library_kind STREQUAL "STATIC_LIBRARY")
        target_compile_options(${library} PRIVATE ${options})
        list(APPEND pending ${library})
      endif()
    endforeach()
  endwhile()
endfunction()

# Links a program or DLL we ship so that Windows 98 loads it, and registers the test that
# refuses any import Windows 98 does not export. WHOLE_PROGRAM: see varnex_size_flags.
function(varnex_win98_binary target)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(kind ${target} TYPE)
  varnex_size_flags(${target} ${ARGN})
  target_link_options(${target} PRIVATE
    -Wl,--major-os-version,4,--minor-os-version,0
    -Wl,--major-subsystem-version,4,--minor-subsystem-version,0
    -Wl,--disable-dynamicbase,--disable-nxcompat -s)
  if(kind STREQUAL "EXECUTABLE")
    # Windows loads a program at the base it was linked for, so its relocations are dead weight;
    # a DLL keeps them, since it may have to move.
    target_link_options(${target} PRIVATE -Wl,--disable-reloc-section)
    get_target_property(console ${target} VARNEX_CONSOLE)
    if(console)
      target_link_options(${target} PRIVATE -Wl,--subsystem,console:4.0)
    else()
      target_link_options(${target} PRIVATE -Wl,--subsystem,windows:4.0)
    endif()
  else()
    target_link_options(${target} PRIVATE -Wl,--subsystem,windows:4.0)
  endif()
  # Only the 32-bit build ships; the 64-bit stand-in's imports say nothing about Windows 98.
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    return()
  endif()
  add_test(NAME win98-imports-${target}
           COMMAND python3 ${VARNEX_SCRIPTS}/check-win98-imports.py
                   ${CMAKE_SOURCE_DIR}/third_party/win98/exports.json $<TARGET_FILE:${target}>)
  set_tests_properties(win98-imports-${target} PROPERTIES LABELS win98)
endfunction()
