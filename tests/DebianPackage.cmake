# Builds the Debian package of the build with cpack, inspects it with dpkg-deb,
# checks it with lintian where that is installed, unpacks it into a fresh root and
# runs the program from there. Prints "SKIP:"
# (the test counts as skipped) where the Debian tools are missing.
cmake_minimum_required(VERSION 3.25)
foreach(tool dpkg-deb dpkg-shlibdeps)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message("SKIP: ${tool} is not installed")
    return()
  endif()
endforeach()
if(NOT EXISTS "${CPACK}")
  message("SKIP: cpack is not installed")
  return()
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect text what)
  foreach(wanted ${ARGN})
    string(FIND "${text}" "${wanted}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what} lacks «${wanted}»:\n${text}")
    endif()
  endforeach()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
run("${CPACK}" --config "${BUILD_DIR}/CPackConfig.cmake" -G DEB -B "${WORK}")
file(GLOB packages "${WORK}/tabulizer_${VERSION}_*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
  file(GLOB made "${WORK}/*.deb")
  message(FATAL_ERROR "expected one tabulizer_${VERSION}_<arch>.deb, made: ${made}")
endif()
set(deb "${packages}")

run(dpkg-deb -I "${deb}")
set(depends libc6 zlib1g)
if(QT)
  list(APPEND depends libqt6widgets6)
endif()
expect("${out}" "control fields" "Package: tabulizer" "Version: ${VERSION}" "Section: utils"
       "Maintainer: " "Depends: " ${depends})
# The English paragraph, an empty line as Debian writes it, the Russian one.
run(dpkg-deb -f "${deb}" Description)
expect("${out}" "the description" "\n Tabulizer turns" "\n .\n Табулизер превращает")

run(dpkg-deb -c "${deb}")
expect("${out}" "the package's files" "root/root" ./usr/bin/tabulizer ./usr/share/tabulizer/Help.txt
       ./usr/share/man/man1/tabulizer.1.gz ./usr/share/doc/tabulizer/copyright
       ./usr/share/doc/tabulizer/changelog.gz ./usr/share/applications/tabulizer.desktop
       ./usr/share/icons/hicolor/scalable/apps/tabulizer.svg ./usr/share/icons/hicolor/256x256/apps/tabulizer.png)
string(FIND "${out}" "/usr/local" local)
if(NOT local EQUAL -1)
  message(FATAL_ERROR "the package installs under /usr/local:\n${out}")
endif()

# Where lintian is installed, the package has none of its errors.
find_program(LINTIAN lintian)
if(LINTIAN)
  run("${LINTIAN}" --fail-on error "${deb}")
endif()

set(root "${WORK}/root")
run(dpkg-deb -x "${deb}" "${root}")
run("${root}/usr/bin/tabulizer" --version)
expect("${out}" "tabulizer --version" "${VERSION}")
run("${root}/usr/bin/tabulizer" --project "${EXAMPLES}/ved.ini" --csv --output - "${EXAMPLES}/ved.txt")
expect("${out}" "the installed program's CSV" "00120,Иванов И.И.,1512.43,132.97,1645.4")

# Every option that --help names is in the manual page.
run("${root}/usr/bin/tabulizer" --help)
string(REGEX MATCHALL "--[a-z][a-z-]*" options "${out}")
list(REMOVE_DUPLICATES options)
run(gzip -dc "${root}/usr/share/man/man1/tabulizer.1.gz")
string(REPLACE "\\-" "-" manual "${out}")
expect("${manual}" "the manual page" ${options} "${VERSION}")
file(REMOVE_RECURSE "${WORK}")
