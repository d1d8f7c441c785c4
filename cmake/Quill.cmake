# Helpers shared by the folders' CMakeLists.

# One static library per game subsystem folder, from every .cpp in it (sub-folders included).
# The game libraries call each other, so they are linked as one cyclic group by
# quill_link_game_libs() once every folder has been added.
set(QUILL_GAME_LIBS "" CACHE INTERNAL "")
function(quill_add_game_lib name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    set(srcs ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(quill_${name} STATIC ${srcs})
  target_include_directories(quill_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quill_${name} PUBLIC quill_media)
  set(QUILL_GAME_LIBS ${QUILL_GAME_LIBS} quill_${name} CACHE INTERNAL "")
endfunction()

function(quill_link_game_libs)
  foreach(a ${QUILL_GAME_LIBS})
    foreach(b ${QUILL_GAME_LIBS})
      if(NOT a STREQUAL b)
        target_link_libraries(${a} PUBLIC ${b})
      endif()
    endforeach()
  endforeach()
  set_property(TARGET ${QUILL_GAME_LIBS} APPEND PROPERTY LINK_INTERFACE_MULTIPLICITY 3)
endfunction()

# A test executable from every .cpp in a tests/ sub-folder; each test runs in its own process.
function(quill_add_tests name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name}_tests ${srcs})
  target_link_libraries(${name}_tests PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name}_tests PRIVATE
    QUILL_SOURCE_DIR="${PROJECT_SOURCE_DIR}" QUILL_GAME_DIR="${QUILL_GAME_DIR}"
    QUILL_EMBED_DIR="${QUILL_EMBED_DIR}" QUILL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy")
endfunction()
