# Boost, TinyXML-2, GoogleTest and Google Benchmark for either build. The
# Linux build uses Debian's libraries; the Windows build uses Debian's Boost
# headers, compiles Boost.ProgramOptions and TinyXML-2 from the Debian source
# packages (fetched by scripts/install-deps) and GoogleTest from
# /usr/src/googletest.

set(MC_DEPS_DIR "${CMAKE_SOURCE_DIR}/build/deps" CACHE PATH "Sources fetched by scripts/install-deps")

if(WIN32)
  # Only the boost/ folder of the system include path: the rest of it holds
  # the host's C library headers, which the MinGW compiler must not see.
  set(boost_include "${CMAKE_BINARY_DIR}/boost-include")
  file(MAKE_DIRECTORY "${boost_include}")
  file(CREATE_LINK /usr/include/boost "${boost_include}/boost" SYMBOLIC)
  add_library(boost_headers INTERFACE)
  target_include_directories(boost_headers SYSTEM INTERFACE "${boost_include}")
  # Boost.Interprocess asks platform/win32/interprocess_directory.cpp for its
  # shared folder: the library's own choice fails under Wine.
  target_compile_definitions(boost_headers INTERFACE BOOST_ALL_NO_LIB _WIN32_WINNT=0x0601
                             BOOST_INTERPROCESS_SHARED_DIR_FUNC)

  file(GLOB program_options_sources "${MC_DEPS_DIR}/boost-src/libs/program_options/src/*.cpp")
  if(NOT program_options_sources)
    message(FATAL_ERROR "Boost.ProgramOptions sources missing in ${MC_DEPS_DIR}: run scripts/install-deps")
  endif()
  add_library(boost_program_options STATIC ${program_options_sources})
  target_link_libraries(boost_program_options PUBLIC boost_headers)
  target_compile_options(boost_program_options PRIVATE -w)
  add_library(Boost::program_options ALIAS boost_program_options)
  add_library(Boost::headers ALIAS boost_headers)

  if(NOT EXISTS "${MC_DEPS_DIR}/tinyxml2-src/tinyxml2.cpp")
    message(FATAL_ERROR "TinyXML-2 sources missing in ${MC_DEPS_DIR}: run scripts/install-deps")
  endif()
  add_library(tinyxml2 STATIC "${MC_DEPS_DIR}/tinyxml2-src/tinyxml2.cpp")
  target_include_directories(tinyxml2 SYSTEM PUBLIC "${MC_DEPS_DIR}/tinyxml2-src")
  target_compile_options(tinyxml2 PRIVATE -w)
  add_library(tinyxml2::tinyxml2 ALIAS tinyxml2)

  if(BUILD_TESTING)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  endif()
else()
  find_package(Boost 1.81.0 EXACT CONFIG REQUIRED COMPONENTS program_options)
  find_package(Iconv REQUIRED)
  find_package(tinyxml2 REQUIRED)
  set(CURSES_NEED_NCURSES TRUE)
  set(CURSES_NEED_WIDE TRUE)
  find_package(Curses REQUIRED)
  if(BUILD_TESTING)
    find_package(GTest REQUIRED)
    find_package(benchmark REQUIRED)
  endif()
endif()
