# sysdlg_module(NAME FOLDER_DEPENDS... [HIDDEN])
#   NAME_objs: object library of the folder's sources (not *_test.cpp).
#   NAME_tests: GoogleTest executable of the folder's *_test.cpp files,
#   linked with the folder's objects and the listed lower layers.
function(sysdlg_module name)
  cmake_parse_arguments(M "HIDDEN" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE all_sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(sources ${all_sources})
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$|_bench\\.cpp$")
  set(tests ${all_sources})
  list(FILTER tests INCLUDE REGEX "_test\\.cpp$")

  if(NOT sources)
    # A folder whose classes are not written yet still forms a library.
    set(placeholder ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    if(NOT EXISTS ${placeholder})
      file(WRITE ${placeholder} "// no sources yet\n")
    endif()
    set(sources ${placeholder})
  endif()
  add_library(${name}_objs OBJECT ${sources})
  target_include_directories(${name}_objs PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name}_objs PUBLIC Threads::Threads)
  if(M_HIDDEN)
    set_target_properties(${name}_objs PROPERTIES
      CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endif()
  set(link_objects $<TARGET_OBJECTS:${name}_objs>)
  foreach(dep ${M_DEPENDS})
    list(APPEND link_objects $<TARGET_OBJECTS:${dep}_objs>)
  endforeach()
  set_property(GLOBAL PROPERTY ${name}_LINK_OBJECTS "${link_objects}")

  set(benches ${all_sources})
  list(FILTER benches INCLUDE REGEX "_bench\\.cpp$")
  if(benches AND benchmark_FOUND)
    add_executable(${name}_bench ${benches} ${link_objects})
    target_include_directories(${name}_bench PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_bench PRIVATE benchmark::benchmark Threads::Threads)
  endif()

  if(tests)
    add_executable(${name}_tests ${tests} ${link_objects})
    target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_tests PRIVATE GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
    target_link_libraries(${name}_tests PRIVATE test_harness)
    target_compile_definitions(${name}_tests PRIVATE
      SYSDLG_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 300)
  endif()
endfunction()
