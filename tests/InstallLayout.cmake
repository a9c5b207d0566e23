# Installs the build into a fresh prefix and checks that a Linux desktop finds the
# program, its help file, its menu entry and its icon where it looks for them.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file bin/tabulizer share/tabulizer/Help.txt share/applications/tabulizer.desktop
             share/icons/hicolor/scalable/apps/tabulizer.svg share/icons/hicolor/256x256/apps/tabulizer.png
             share/man/man1/tabulizer.1.gz share/doc/tabulizer/copyright share/doc/tabulizer/changelog.gz)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(STRINGS "${PREFIX}/share/applications/tabulizer.desktop" entry)
foreach(line "Exec=tabulizer" "Icon=tabulizer" "Type=Application")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the menu entry lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
