file(REMOVE_RECURSE "${WORK_DIR}")

function(install_into destdir)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${destdir}
                          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
  endif()
endfunction()

function(expect_mode path mode)
  execute_process(COMMAND stat -c %a "${path}" OUTPUT_VARIABLE actual OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT actual STREQUAL mode)
    message(FATAL_ERROR "${path}: mode ${actual}, expected ${mode}")
  endif()
endfunction()

function(expect_exists path)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "missing: ${path}")
  endif()
endfunction()

install_into("${WORK_DIR}")
set(root "${WORK_DIR}${DATA_ROOT}")
expect_exists("${root}/Program/retterum")
expect_exists("${root}/Program/createShortcut.sh")
foreach(page Retterum Genvejstaster Egenskaber Funktioner Indfør Rediger Slet)
  expect_exists("${root}/Program/Information/${page}.html")
endforeach()
expect_mode("${root}/Brugere" 1777)
expect_mode("${root}/Brugere/Alle" 777)
expect_exists("${root}/Brugere/Alle/Hovedkategori.txt")
expect_exists("${root}/Brugere/Alle/Bagværk/Kager/Æblekage.rtf")
expect_exists("${root}/Brugere/Alle/Bagværk/Kager/Æblekageliste.txt")
expect_mode("${root}/Brugere/Alle/Bagværk" 777)
expect_mode("${root}/Brugere/Alle/Bagværk/Kager/Æblekage.rtf" 666)
expect_exists("${WORK_DIR}/usr/share/icons/hicolor/64x64/apps/retterum.png")
file(READ "${WORK_DIR}/usr/share/applications/retterum.desktop" desktop)
if(NOT desktop MATCHES "\nExec=${DATA_ROOT}/Program/retterum\n" OR NOT desktop MATCHES "\nIcon=retterum\n")
  message(FATAL_ERROR "desktop entry does not start the installed program:\n${desktop}")
endif()

# A shared area that already has a book keeps it: nothing is copied over it.
file(WRITE "${root}/Brugere/Alle/Hovedkategori.txt" "Mine egne\r\n")
file(REMOVE_RECURSE "${root}/Brugere/Alle/Desserter")
install_into("${WORK_DIR}")
file(READ "${root}/Brugere/Alle/Hovedkategori.txt" kept HEX)
if(NOT kept STREQUAL "4d696e652065676e650d0a" OR EXISTS "${root}/Brugere/Alle/Desserter")
  message(FATAL_ERROR "the installation wrote over an existing shared area")
endif()

# Links someone planted in the users root are never followed: neither one among the shared
# area's entries (the book would be copied through it, its folder's mode set on what it points
# at) nor one in the shared area's place. What they point at keeps its mode and stays empty.
set(outside "${WORK_DIR}/outside")
foreach(planted "Brugere/Alle/Bagværk" "Brugere/Alle")
  file(REMOVE_RECURSE "${root}/Brugere/Alle" "${outside}")
  file(MAKE_DIRECTORY "${root}/Brugere/Alle" "${outside}")
  execute_process(COMMAND chmod 0700 "${outside}")
  file(REMOVE_RECURSE "${root}/${planted}")
  file(CREATE_LINK "${outside}" "${root}/${planted}" SYMBOLIC)
  install_into("${WORK_DIR}")
  expect_mode("${outside}" 700)
  file(GLOB filled "${outside}/*")
  if(filled)
    message(FATAL_ERROR "the installation followed the link ${planted}: ${filled}")
  endif()
endforeach()
file(REMOVE_RECURSE "${root}/Brugere/Alle")

# The tools with their starters and manual pages; the menu and software-centre entries valid.
foreach(program retterum retterum-hent retterum-kopi retterum-liste)
  expect_exists("${root}/Program/${program}")
  file(READ_SYMLINK "${WORK_DIR}/usr/bin/${program}" target)
  if(NOT target STREQUAL "${DATA_ROOT}/Program/${program}")
    message(FATAL_ERROR "/usr/bin/${program} points at ${target}")
  endif()
  expect_exists("${WORK_DIR}/usr/share/man/man1/${program}.1.gz")
endforeach()
# The network module is found beside the installed programs, by their run path alone (nothing
# listens on port 1: the module answers that the page can't be fetched, a missing module that it
# can't be loaded), and no build folder is left in any run path.
execute_process(COMMAND "${root}/Program/retterum-hent" --json http://127.0.0.1:1/
                WORKING_DIRECTORY "${WORK_DIR}" ERROR_VARIABLE said OUTPUT_QUIET)
if(NOT said STREQUAL "Siden kunne ikke hentes. Kontroller adressen og forbindelsen.\n")
  message(FATAL_ERROR "the installed retterum-hent does not fetch through its module:\n${said}")
endif()
foreach(binary retterum retterum-hent retterum-kopi retterum-liste libretterum-http.so)
  execute_process(COMMAND objdump -p "${root}/Program/${binary}" OUTPUT_VARIABLE headers)
  string(REGEX MATCHALL "(RPATH|RUNPATH) +[^\n]*" paths "${headers}")
  if(binary MATCHES "^lib" AND paths OR NOT binary MATCHES "^lib" AND NOT paths MATCHES "^RPATH +\\$ORIGIN$")
    message(FATAL_ERROR "${binary}: run path \"${paths}\"")
  endif()
endforeach()

foreach(check "appstreamcli;validate;--no-net;${WORK_DIR}/usr/share/metainfo/dk.retterum.Retterum.metainfo.xml"
              "desktop-file-validate;${WORK_DIR}/usr/share/applications/retterum.desktop")
  execute_process(COMMAND ${check} RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${check}:\n${said}")
  endif()
endforeach()

# What the package carries: the program without the data root's folders, so no recipe ever
# belongs to it.
set(packed "${WORK_DIR}/packed")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${packed}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr --component Unspecified
                RESULT_VARIABLE result OUTPUT_QUIET)
expect_exists("${packed}${DATA_ROOT}/Program/Eksempelbog/Hovedkategori.txt")
if(NOT result EQUAL 0 OR EXISTS "${packed}${DATA_ROOT}/Brugere")
  message(FATAL_ERROR "the package's part of the installation makes the users root")
endif()
