# Native Linux build: unit tests of the portable code, benchmarks, tools.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE portable game GTest::gtest GTest::gtest_main)
gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

# Benchmarks and simulations: programs that print figures, not tests.
file(GLOB NATIVE_TOOLS CONFIGURE_DEPENDS tools/bench_*.cpp tools/sim_*.cpp)
foreach(src ${NATIVE_TOOLS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE portable game)
endforeach()

# The committed images, sounds and clips are exactly what the generator
# makes, and every clip decodes back to its frames.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME resources_check
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/gen_resources.py --check
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(resources_check PROPERTIES LABELS native TIMEOUT 120)
endif()
