# plim_add_library(NAME name [DIRS subdir...] [DEPS target...])
# A static library of every .cpp in the calling folder (and in the named
# sub-folders), with the repository root as include directory.
function(plim_add_library)
  cmake_parse_arguments(L "" "NAME" "DIRS;DEPS" ${ARGN})
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub IN LISTS L_DIRS)
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  add_library(${L_NAME} STATIC ${sources})
  target_include_directories(${L_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${L_NAME} PUBLIC ${L_DEPS})
endfunction()
