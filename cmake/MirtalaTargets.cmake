# Helpers shared by every folder's CMakeLists.

# Warnings as errors on our own code only. GCC 12 gives false positives for
# reference counts and bulk copies under -O2; the sanitizer build covers those.
# Aggregates such as dialog-template rows and message requests name only the
# fields they need, so missing initializers are intended.
function(mirtala_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers
    $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized -Wno-stringop-overflow -Wno-use-after-free>)
endfunction()

# A library target that may use the standard library only. The check runs at
# build time: the target's link closure must not reach Qt.
function(mirtala_std_library target)
  cmake_parse_arguments(ARG "SHARED" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_SHARED)
    add_library(${target} SHARED ${ARG_SOURCES})
  else()
    add_library(${target} STATIC ${ARG_SOURCES})
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  set_target_properties(${target} PROPERTIES AUTOMOC OFF MIRTALA_STD_ONLY ON)
  mirtala_warnings(${target})
  set_property(GLOBAL APPEND PROPERTY MIRTALA_STD_TARGETS ${target})
endfunction()

# A unit-test program registered with CTest as one test.
function(mirtala_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  mirtala_warnings(${name})
  if(NOT ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  # A Wine prefix that does not exist, so that no test reads the machine's ~/.wine.
  set(env "MIRTALA_SOURCE_DIR=${PROJECT_SOURCE_DIR}" "MIRTALA_BINARY_DIR=${PROJECT_BINARY_DIR}"
    "WINEPREFIX=${PROJECT_BINARY_DIR}/no-wine-prefix" ${ARG_ENV})
  if(ARG_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS unit)
endfunction()

# A libFuzzer target; with MIRTALA_FUZZ it is built and its corpus replayed as a test.
function(mirtala_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT MIRTALA_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  mirtala_warnings(${name})
  set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  if(ARG_CORPUS)
    set(corpus ${ARG_CORPUS})
  endif()
  # Replay the committed corpus, then fuzz briefly from it; new finds go to the build tree.
  set(found ${CMAKE_CURRENT_BINARY_DIR}/${name}-found)
  add_test(NAME ${name} COMMAND sh -c "mkdir -p '${found}' && exec '$<TARGET_FILE:${name}>' -max_total_time=20 -rss_limit_mb=2048 -timeout=10 '${found}' '${corpus}'")
  set_tests_properties(${name} PROPERTIES LABELS fuzz)
endfunction()

# Every target and library name that `target` reaches through its links, itself included.
function(mirtala_link_closure target out)
  set(queue ${target})
  set(seen "")
  while(queue)
    list(POP_FRONT queue cur)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" cur "${cur}")
    if(cur IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${cur})
    if(TARGET ${cur})
      get_target_property(libs ${cur} LINK_LIBRARIES)
      get_target_property(ilibs ${cur} INTERFACE_LINK_LIBRARIES)
      foreach(l IN LISTS libs ilibs)
        if(l AND NOT l MATCHES "-NOTFOUND$")
          list(APPEND queue ${l})
        endif()
      endforeach()
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Fails the configuration when a standard-library-only target reaches Qt.
function(mirtala_check_std_only)
  get_property(targets GLOBAL PROPERTY MIRTALA_STD_TARGETS)
  foreach(t IN LISTS targets)
    mirtala_link_closure(${t} reached)
    foreach(cur IN LISTS reached)
      if(cur MATCHES "^Qt[0-9]*::" OR cur MATCHES "Qt[0-9]*(Core|Gui|Widgets)")
        message(FATAL_ERROR "${t} must use the standard library only, but links ${cur}")
      endif()
    endforeach()
  endforeach()
endfunction()

# The arrows between layers: `target` must never reach any of the targets
# named after it, directly or through another library. Checked at the end of
# the configuration by mirtala_check_layers.
function(mirtala_forbid_links target)
  set_property(TARGET ${target} APPEND PROPERTY MIRTALA_FORBIDDEN_LINKS ${ARGN})
  set_property(GLOBAL APPEND PROPERTY MIRTALA_LAYERED_TARGETS ${target})
endfunction()

# Fails the configuration when a target reaches one it must not.
function(mirtala_check_layers)
  get_property(targets GLOBAL PROPERTY MIRTALA_LAYERED_TARGETS)
  foreach(t IN LISTS targets)
    get_target_property(forbidden ${t} MIRTALA_FORBIDDEN_LINKS)
    mirtala_link_closure(${t} reached)
    foreach(f IN LISTS forbidden)
      if(f IN_LIST reached)
        message(FATAL_ERROR "${t} must not depend on ${f}, but reaches it through its links")
      endif()
    endforeach()
  endforeach()
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt, in name order.
function(mirtala_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
