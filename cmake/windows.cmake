# Windows build (mingw-w64): the game, the probe and the Windows-side tests.
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The shell, the font chooser and the sounds (shell32, comdlg32, winmm) are
# loaded at their first use (common/on_demand.cpp), not at start-up.
set(WIN32_LIBS comctl32 gdi32 user32 advapi32 kernel32)

# Everything of the program but its entry point, so that tests can link it.
file(GLOB UI_SOURCES CONFIGURE_DEPENDS common/*.cpp shell/*.cpp boards/*.cpp dialogs/*.cpp)
list(REMOVE_ITEM UI_SOURCES ${CMAKE_SOURCE_DIR}/shell/winmain.cpp)
foreach(p ${PORTABLE_SOURCES})
  list(REMOVE_ITEM UI_SOURCES ${CMAKE_SOURCE_DIR}/${p})
endforeach()
add_library(ui STATIC ${UI_SOURCES})
target_include_directories(ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ui PUBLIC portable game ${WIN32_LIBS})

# Resources are compiled once and linked into the game and into the tests.
add_library(resources OBJECT resources/trivok.rc)
target_include_directories(resources PRIVATE ${CMAKE_SOURCE_DIR}/resources)
# The .rc names the media files; regenerated media must rebuild it too.
file(GLOB RESOURCE_INPUTS CONFIGURE_DEPENDS resources/*.h resources/*.rc resources/*.bmp resources/*.ico
     resources/*.cur resources/*.wav resources/*.avi resources/*.manifest)
set_property(SOURCE resources/trivok.rc APPEND PROPERTY OBJECT_DEPENDS ${RESOURCE_INPUTS})

add_executable(trivok WIN32 shell/winmain.cpp $<TARGET_OBJECTS:resources>)
target_link_libraries(trivok PRIVATE ui)
set_target_properties(trivok PROPERTIES OUTPUT_NAME Trivok)
# Sections page-aligned in the file too: a loader can map the image as it is
# (Wine otherwise reads a 512-byte-aligned image, debug sections included,
# into the process's private memory).
target_link_options(trivok PRIVATE -municode -Wl,--file-alignment,0x1000)

# The probe of the end-to-end tests: a console program that starts the game
# in a virtual desktop and reads its windows, model, settings key and exit code.
add_executable(probe tests/tools/probe.cpp)
target_link_libraries(probe PRIVATE user32 advapi32 psapi ntdll)
target_link_options(probe PRIVATE -municode)

# Windows-side unit tests (GoogleTest from Debian's sources), run under Wine.
file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp)
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows-side tests")
if(WIN_TEST_SOURCES AND EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_executable(win_tests ${WIN_TEST_SOURCES} $<TARGET_OBJECTS:resources>)
  target_link_libraries(win_tests PRIVATE ui gtest gtest_main psapi)
  # One CTest entry per suite keeps Wine start-ups few.
  add_test(NAME win_tests COMMAND win_tests)
  set_tests_properties(win_tests PROPERTIES LABELS wine TIMEOUT 300)
  # The display tests again at 120, 144 and 192 DPI (before the end-to-end
  # tests, which need the prefix at 96 DPI again).
  add_test(NAME win_display_scales COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/display_scales.sh $<TARGET_FILE:win_tests>)
  set_tests_properties(win_display_scales PROPERTIES LABELS wine TIMEOUT 300)
endif()

# End-to-end tests: the real program under Wine, driven by tests/e2e, in the
# prefix and display that test.sh makes (tools/wine-env.sh). The release
# check makes a prefix of its own: the unpacked game must run where nothing
# was set up for it.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND AND CMAKE_CROSSCOMPILING)
file(GLOB E2E_TESTS CONFIGURE_DEPENDS tests/e2e/test_*.py)
foreach(t ${E2E_TESTS})
  get_filename_component(name ${t} NAME_WE)
  set(command ${Python3_EXECUTABLE} ${t} --exe $<TARGET_FILE:trivok> --probe $<TARGET_FILE:probe>)
  if(name STREQUAL "test_release")
    set(command bash ${CMAKE_SOURCE_DIR}/tools/wine-env.sh ${command})
  endif()
  add_test(NAME e2e_${name} COMMAND ${command})
  set_tests_properties(e2e_${name} PROPERTIES LABELS e2e TIMEOUT 300)
endforeach()
endif()

# The help page opens from the current directory: keep it beside the game.
add_custom_command(TARGET trivok POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/readme.htm
          $<TARGET_FILE_DIR:trivok>/readme.htm)

# Board paint timings (a program that prints figures, not a test).
add_executable(winbench_paint tools/winbench_paint.cpp $<TARGET_OBJECTS:resources>)
target_link_libraries(winbench_paint PRIVATE ui)

# The release package: dist/Trivok-<version>.zip in this build tree
# (tools/dist.sh; `cmake --build <dir> --target dist`).
add_custom_target(dist
  COMMAND ${CMAKE_COMMAND} -E env STRIP=${CMAKE_STRIP}
          bash ${CMAKE_SOURCE_DIR}/tools/dist.sh $<TARGET_FILE:trivok> ${CMAKE_BINARY_DIR}/dist
  DEPENDS trivok
  VERBATIM)

# Start-up timer of the figures script: CreateProcess to the first painted frame.
add_executable(launch_timer WIN32 tools/launch_timer.cpp)
target_link_options(launch_timer PRIVATE -municode)

# The start-up floor the figures script measures beside the game: one empty window.
add_executable(empty_window WIN32 tools/empty_window.cpp)
target_link_options(empty_window PRIVATE -municode)
