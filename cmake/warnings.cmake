# Warnings for every target of the project (not for third-party code).
add_compile_options(-Wall -Wextra)

# GCC 12 reports a false overlap in its own std::string code for
# `"literal" + std::string&&` in optimised builds (a known compiler fault).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
