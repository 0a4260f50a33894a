if(PLIM_SANITIZE AND PLIM_TSAN)
  message(FATAL_ERROR "PLIM_SANITIZE and PLIM_TSAN cannot be combined")
endif()
if(PLIM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(PLIM_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Build type of the sanitizer builds in CI: light optimisation and line tables
# only, which compiles in about half the time of RelWithDebInfo and still
# gives sanitizer reports with file and line.
set(CMAKE_C_FLAGS_CI "-O1 -g1")
set(CMAKE_CXX_FLAGS_CI "-O1 -g1")
