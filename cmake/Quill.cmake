# Helpers shared by the folders' CMakeLists.

# One static library per game layer folder, from every .cpp in it (sub-folders included) but
# those named after EXCLUDE. A library links only the layers under it (LINKS), so code that
# calls a higher layer fails to link: the layers are media -> core -> stages -> play ->
# front, editor -> app (README.md, "Layout"; tests/layers checks it).
function(quill_add_game_lib name)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;LINKS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(x ${ARG_EXCLUDE})
    list(REMOVE_ITEM srcs ${CMAKE_CURRENT_SOURCE_DIR}/${x})
  endforeach()
  if(NOT srcs)
    set(srcs ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(quill_${name} STATIC ${srcs})
  target_include_directories(quill_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quill_${name} PUBLIC quill_media ${ARG_LINKS})
  set(QUILL_GAME_LIBS ${QUILL_GAME_LIBS} quill_${name} CACHE INTERNAL "")
endfunction()
set(QUILL_GAME_LIBS "" CACHE INTERNAL "")

# A test executable `name`_tests from the given sources (default: every .cpp in the folder),
# linked with the libraries after LIBS; each test runs in its own process, and the whole
# program once more in one process (name_tests.AllInOneProcess), so that a test that leaves
# state behind for the next one is caught. SEPARATE_WHEN_SANITIZED leaves the one-process run out
# of the sanitizer build, for programs whose every test is long (the whole run would repeat them);
# SEPARATE leaves it out of every build.
function(quill_add_tests name)
  cmake_parse_arguments(ARG "SEPARATE_WHEN_SANITIZED;SEPARATE" "" "LIBS;SOURCES" ${ARGN})
  if(ARG_SOURCES)
    set(srcs ${ARG_SOURCES})
  else()
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT srcs)
    return()
  endif()
  add_executable(${name}_tests ${srcs})
  target_link_libraries(${name}_tests PRIVATE ${ARG_LIBS} ${ARG_UNPARSED_ARGUMENTS}
                        GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name}_tests PRIVATE
    QUILL_SOURCE_DIR="${PROJECT_SOURCE_DIR}" QUILL_GAME_DIR="${QUILL_GAME_DIR}"
    QUILL_EMBED_DIR="${QUILL_EMBED_DIR}" QUILL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy")
  if(ARG_SEPARATE OR (ARG_SEPARATE_WHEN_SANITIZED AND QUILL_SANITIZE))
    return()
  endif()
  add_test(NAME ${name}_tests.AllInOneProcess COMMAND ${name}_tests)
  set_tests_properties(${name}_tests.AllInOneProcess PROPERTIES
    ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy")
endfunction()
