# Run by cmake --install after the program is in place: the links of the
# installed tree. The variables come from dist/CMakeLists.txt.
set(program_dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QUODDLE_PROGRAM_DIR}")
set(bin_dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QUODDLE_BIN_DIR}")

function(quoddle_install_link target link)
  message(STATUS "Installing: ${link} -> ${target}")
  get_filename_component(parent "${link}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(REMOVE "${link}")
  file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

# The adb link points at the configured adb itself, outside any staging folder.
if(QUODDLE_ADB_PATH)
  if(NOT EXISTS "${QUODDLE_ADB_PATH}")
    message(WARNING "The configured adb ${QUODDLE_ADB_PATH} does not exist; "
                    "the installed program will say that adb is missing.")
  endif()
  quoddle_install_link("${QUODDLE_ADB_PATH}" "${program_dir}/adb")
else()
  message(WARNING "No adb was found at configure time: the installed program has none "
                  "in its folder. Configure with -DQUODDLE_ADB_PATH=/path/to/adb.")
endif()

quoddle_install_link("${QUODDLE_PROGRAM_FROM_BIN}" "${bin_dir}/quoddle")
