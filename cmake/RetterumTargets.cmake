# Shared compile settings for every target of the project.
add_library(retterum_settings INTERFACE)
target_compile_definitions(retterum_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_USE_QSTRINGBUILDER
  QT_NO_FOREACH
  RETTERUM_DATA_ROOT="${RETTERUM_DATA_ROOT}")
target_compile_options(retterum_settings INTERFACE -Wall -Wextra -Wpedantic)
if(RETTERUM_WERROR)
  target_compile_options(retterum_settings INTERFACE -Werror)
endif()
if(RETTERUM_SANITIZE)
  target_compile_options(retterum_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(retterum_settings INTERFACE -fsanitize=address,undefined)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/RetterumPrecompiled.cmake)

# retterum_library(<name> SOURCES ... DEPENDS ...): one library per source folder.
function(retterum_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC retterum_settings ${ARG_DEPENDS})
  retterum_use_pch(${name} ${ARG_DEPENDS})
endfunction()

# retterum_test(<name> SOURCES ... DEPENDS ... [SCREEN file.json]): one Qt Test executable under
# CTest, widgets on the offscreen platform with a desktop-sized screen unless SCREEN names another.
function(retterum_test name)
  cmake_parse_arguments(ARG "" "SCREEN" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_SCREEN)
    set(ARG_SCREEN ${PROJECT_SOURCE_DIR}/tests/common/screen-desktop.json)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE retterum_settings Qt6::Test ${ARG_DEPENDS})
  retterum_use_pch(${name} TEST Qt6::Test ${ARG_DEPENDS})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/common)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${ARG_SCREEN};LC_ALL=da_DK.UTF-8;RETTERUM_TEST_SOURCE=${CMAKE_CURRENT_SOURCE_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;ASAN_OPTIONS=detect_odr_violation=0"
    TIMEOUT 300)
endfunction()

# retterum_opened_on_use(<target> <pkg-config prefix> <define>): the target compiles against the
# library's headers but opens it when first used (src/lazyload) instead of linking it; <define>
# becomes its soname, read from the library itself. The Debian package that holds the library is
# kept in the global property RETTERUM_OPENED_PACKAGES for the package's dependencies, since
# dpkg-shlibdeps only sees linked libraries.
function(retterum_opened_on_use target prefix define)
  list(GET ${prefix}_LINK_LIBRARIES 0 library)
  file(REAL_PATH ${library} file)
  execute_process(COMMAND dpkg-query -S ${file} OUTPUT_VARIABLE owner RESULT_VARIABLE unowned ERROR_QUIET)
  if(NOT unowned AND owner MATCHES "^([^:,]+)")
    set_property(GLOBAL APPEND PROPERTY RETTERUM_OPENED_PACKAGES ${CMAKE_MATCH_1})
  endif()
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${library} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
  if(failed OR NOT headers MATCHES "SONAME +([^ \n]+)")
    message(FATAL_ERROR "No soname found in ${library}")
  endif()
  target_compile_definitions(${target} PUBLIC ${define}="${CMAKE_MATCH_1}")
  target_include_directories(${target} SYSTEM PUBLIC ${${prefix}_INCLUDE_DIRS})
  target_compile_options(${target} PUBLIC ${${prefix}_CFLAGS_OTHER})
  target_link_libraries(${target} PUBLIC retterum_lazyload)
endfunction()

# retterum_install_program(<target>...): installs programs into the data root's program folder,
# where their run path names that folder in place of the build tree's module folder.
function(retterum_install_program)
  install(TARGETS ${ARGN} RUNTIME DESTINATION ${RETTERUM_DATA_ROOT}/Program)
  foreach(target ${ARGN})
    install(CODE "file(RPATH_CHANGE FILE \"\$ENV{DESTDIR}${RETTERUM_DATA_ROOT}/Program/$<TARGET_FILE_NAME:${target}>\"
      OLD_RPATH \"${RETTERUM_MODULE_DIR}\" NEW_RPATH \"\$ORIGIN\")")
  endforeach()
endfunction()

# retterum_install_module(<target>): installs a module opened on first use beside the programs,
# without the build tree's run path.
function(retterum_install_module target)
  install(TARGETS ${target} LIBRARY DESTINATION ${RETTERUM_DATA_ROOT}/Program)
  install(CODE "file(RPATH_REMOVE FILE \"\$ENV{DESTDIR}${RETTERUM_DATA_ROOT}/Program/$<TARGET_FILE_NAME:${target}>\")")
endfunction()
