# Shared build helpers of the project's own targets.

# The project's own code builds with warnings as errors; third-party headers are system includes.
function(zidezo_warnings target)
  # GCC 12 reports false -Wrestrict overlaps in std::string concatenation at -O3 (its bug 105329).
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
  # Sanitizer instrumentation makes GCC report false maybe-uninitialized warnings inside the
  # standard library; the release build keeps enforcing warnings.
  if(ZIDEZO_SANITIZE)
    target_compile_options(${target} PRIVATE -Wno-error)
  endif()
endfunction()

# One core module is one folder of src/core: a static library of every source in it.
# Modules name the modules they build on, so a module's tests build only what they need.
function(zidezo_core_module name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  set(target zidezo_core_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src/core)
    zidezo_warnings(${target})
    set(visibility PUBLIC)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src/core)
    set(visibility INTERFACE)
  endif()
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(${target} ${visibility} zidezo_core_${dep})
  endforeach()
  target_link_libraries(${target} ${visibility} ${ARG_LIBRARIES})
  set_property(GLOBAL APPEND PROPERTY ZIDEZO_CORE_MODULES ${target})
endfunction()

# Tests of one folder of tests/: one executable, discovered test by test by CTest.
function(zidezo_test_folder folder)
  cmake_parse_arguments(ARG "" "LABEL" "LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" name "test_${folder}")
  add_executable(${name} ${sources})
  zidezo_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} zidezo_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
