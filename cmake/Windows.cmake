# The Windows programs: Seamster.exe, the Body Shop stand-in, the end-to-end
# driver and the tests that must run under Windows (or Wine).
enable_language(RC)

# One static exe that needs only system DLLs.
set(SEAMSTER_WIN_LIBS comctl32 comdlg32 shell32 ole32 uuid advapi32 shlwapi gdi32 user32 kernel32 uxtheme)
add_link_options(-static -static-libgcc -static-libstdc++)
# No link time in the PE header, so the same source gives the same exe.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# The dialogs' library is loaded the first time a file or colour dialog opens,
# not at start: it brings the printing libraries with it, and under Wine these
# ask the system for its printers as they load.
find_program(SEAMSTER_DLLTOOL x86_64-w64-mingw32-dlltool REQUIRED)
set(SEAMSTER_COMDLG32_DELAYED ${CMAKE_BINARY_DIR}/libcomdlg32_delayed.a)
add_custom_command(OUTPUT ${SEAMSTER_COMDLG32_DELAYED}
  COMMAND ${SEAMSTER_DLLTOOL} --input-def ${PROJECT_SOURCE_DIR}/cmake/comdlg32-delay.def
          --output-delaylib ${SEAMSTER_COMDLG32_DELAYED}
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/comdlg32-delay.def VERBATIM)
add_custom_target(comdlg32_delayed DEPENDS ${SEAMSTER_COMDLG32_DELAYED})
set(SEAMSTER_PROGRAM_LIBS ${SEAMSTER_WIN_LIBS})
list(TRANSFORM SEAMSTER_PROGRAM_LIBS REPLACE "^comdlg32$" "${SEAMSTER_COMDLG32_DELAYED};delayimp")

list(FILTER SEAMSTER_WIN_SOURCES EXCLUDE REGEX "WinMain\\.cpp$")
add_library(seamster_win STATIC ${SEAMSTER_WIN_SOURCES})
target_link_libraries(seamster_win PUBLIC seamster_logic ${SEAMSTER_PROGRAM_LIBS})
add_dependencies(seamster_win comdlg32_delayed)
target_compile_options(seamster_win PRIVATE ${SEAMSTER_WARNINGS})

add_executable(Seamster WIN32 ${PROJECT_SOURCE_DIR}/src/app/WinMain.cpp ${PROJECT_SOURCE_DIR}/src/res/Seamster.rc)
target_link_libraries(Seamster PRIVATE seamster_win)
# Stripped: the symbol table would name the folders the libraries were built in.
target_link_options(Seamster PRIVATE -municode -s)
target_compile_options(Seamster PRIVATE ${SEAMSTER_WARNINGS})
set_target_properties(Seamster PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# GoogleTest from Debian's sources, for the tests that run under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB SEAMSTER_WIN_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*.cpp)
if(SEAMSTER_WIN_TEST_SOURCES)
  add_executable(win_tests ${SEAMSTER_WIN_TEST_SOURCES})
  target_link_libraries(win_tests PRIVATE seamster_win seamster_fakes gtest gtest_main)
  target_compile_options(win_tests PRIVATE ${SEAMSTER_WARNINGS})
  set_target_properties(win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()

# Tools: each folder under tools/ with a CMakeLists.txt builds one program.
file(GLOB SEAMSTER_TOOL_DIRS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/*/CMakeLists.txt)
foreach(tool IN LISTS SEAMSTER_TOOL_DIRS)
  get_filename_component(dir ${tool} DIRECTORY)
  add_subdirectory(${dir})
endforeach()

# End-to-end scenarios: a Windows program that drives Seamster.exe from outside.
file(GLOB SEAMSTER_E2E_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
if(SEAMSTER_E2E_SOURCES)
  add_executable(e2e_tests ${SEAMSTER_E2E_SOURCES})
  target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e)
  target_link_libraries(e2e_tests PRIVATE seamster_logic gtest gtest_main ${SEAMSTER_WIN_LIBS})
  target_compile_options(e2e_tests PRIVATE ${SEAMSTER_WARNINGS})
  set_target_properties(e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # Holds files open without sharing, as another program would.
  add_executable(HoldFile ${PROJECT_SOURCE_DIR}/tests/helpers/HoldFile.cpp)
  target_compile_options(HoldFile PRIVATE ${SEAMSTER_WARNINGS})
  target_link_options(HoldFile PRIVATE -municode)
  set_target_properties(HoldFile PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(e2e_tests HoldFile)
endif()

# windres reports no dependencies, so rebuild the resources whenever a file the
# resource script pulls in (pictures, icon, manifest, included scripts) changes.
file(GLOB SEAMSTER_RESOURCE_FILES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/res/*.rc ${PROJECT_SOURCE_DIR}/src/res/*.h
  ${PROJECT_SOURCE_DIR}/src/res/*.manifest ${PROJECT_SOURCE_DIR}/src/res/pictures/*)
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/res/Seamster.rc PROPERTIES
  OBJECT_DEPENDS "${SEAMSTER_RESOURCE_FILES}")
if(TARGET win_tests)
  # The picture checks read the resources of the Seamster.exe built beside them.
  add_dependencies(win_tests Seamster)
endif()

# The renaming benchmark: a console program that scripts/bench-rename.sh runs under Wine.
add_executable(rename_bench ${PROJECT_SOURCE_DIR}/tests/bench/RenameBench.cpp ${PROJECT_SOURCE_DIR}/src/res/Seamster.rc)
target_link_libraries(rename_bench PRIVATE seamster_win)
target_compile_options(rename_bench PRIVATE ${SEAMSTER_WARNINGS})
set_target_properties(rename_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The help file, compiled from docs/help and placed beside Seamster.exe. Without
# the compiler the build goes on, and the program says that no help file is there.
find_program(SEAMSTER_CHMCMD chmcmd)
find_program(SEAMSTER_CHMLS chmls)
find_package(Python3 COMPONENTS Interpreter)
if(SEAMSTER_CHMCMD AND SEAMSTER_CHMLS AND Python3_FOUND)
  file(GLOB SEAMSTER_HELP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/help/*)
  set(SEAMSTER_HELP_FILE ${CMAKE_BINARY_DIR}/bin/Seamster.CHM)
  add_custom_command(OUTPUT ${SEAMSTER_HELP_FILE}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/help/compile_help.py
            --chmcmd ${SEAMSTER_CHMCMD} --chmls ${SEAMSTER_CHMLS} --version ${PROJECT_VERSION}
            ${PROJECT_SOURCE_DIR}/docs/help ${CMAKE_BINARY_DIR}/help ${SEAMSTER_HELP_FILE}
    DEPENDS ${SEAMSTER_HELP_SOURCES} ${PROJECT_SOURCE_DIR}/tools/help/compile_help.py
    COMMENT "Compiling Seamster.CHM" VERBATIM)
  add_custom_target(help_file ALL DEPENDS ${SEAMSTER_HELP_FILE})
else()
  message(WARNING "chmcmd, chmls or Python 3 missing: Seamster.CHM is not built")
endif()
