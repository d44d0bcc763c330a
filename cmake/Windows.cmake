# What a Windows build adds: the program's resources (manifest, version, icon)
# and, when cross-compiling, GoogleTest built from Debian's sources.

enable_language(RC)

# The icon is looked for beside the other pictures first; until it is drawn,
# a placeholder of the same name stands in.
add_library(quoddle_win32_resources OBJECT ${CMAKE_SOURCE_DIR}/resources/win32/quoddle.rc)
target_include_directories(quoddle_win32_resources PRIVATE
    ${CMAKE_SOURCE_DIR}/resources
    ${CMAKE_SOURCE_DIR}/resources/win32/placeholder)
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/quoddle.ico)
  set(QUODDLE_ICON ${CMAKE_SOURCE_DIR}/resources/quoddle.ico)
else()
  set(QUODDLE_ICON ${CMAKE_SOURCE_DIR}/resources/win32/placeholder/quoddle.ico)
endif()
# The manifest is in the resources: MSVC's linker must not add one of its own.
target_link_options(quoddle_win32_resources INTERFACE $<$<CXX_COMPILER_ID:MSVC>:/MANIFEST:NO>)
# The program links them with target_link_libraries(<program> PRIVATE quoddle_win32_resources).
# windres does not report what the script pulls in: name it, so an edit rebuilds.
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/win32/quoddle.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/win32/quoddle.manifest;${QUODDLE_ICON}")

if(CMAKE_CROSSCOMPILING AND QUODDLE_BUILD_TESTS)
  set(QUODDLE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built for the target")
  if(NOT EXISTS ${QUODDLE_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources are missing from ${QUODDLE_GOOGLETEST_SOURCE} (Debian package googletest)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUODDLE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # find_package(GTest) then takes the targets just defined (GTest::gtest, GTest::gtest_main).
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake
       "# GoogleTest is built from source in this tree.\nset(GTest_FOUND TRUE)\n")
endif()

if(QUODDLE_BUILD_TESTS)
  add_executable(quoddle_resource_probe WIN32 ${CMAKE_SOURCE_DIR}/resources/win32/probe/ResourceProbe.cpp)
  target_link_libraries(quoddle_resource_probe PRIVATE quoddle_win32_resources)
  # Beside the tests, which find it in their own folder.
  set_target_properties(quoddle_resource_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
