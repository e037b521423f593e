# Precompiled Qt headers. Parsing Qt's headers is most of the time of a compile here, so each Qt
# level (Core, Gui, Widgets) gets one precompiled header that every target of that level reuses.
# GCC takes a precompiled header only where every macro it was made with is defined the same way
# (QT_WIDGETS_LIB, the strict string defines...); a target may define more. So a target reuses the
# header of the highest level that its own links reach; with -Winvalid-pch and -Werror a mismatch
# fails the build instead of silently compiling slowly.
# ccache caches nothing that uses a precompiled header (unless made sloppy), and with ccache the
# cache does more, so builds with a compiler launcher go without; RETTERUM_PCH=OFF does the same.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(pch_default OFF)
else()
  set(pch_default ON)
endif()
option(RETTERUM_PCH "Precompiled Qt headers (off with a compiler launcher such as ccache)" ${pch_default})
set(RETTERUM_PCH_1 <algorithm> <functional> <memory> <optional> <utility> <vector>
  <QByteArray> <QCoreApplication> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QPointer>
  <QString> <QStringList> <QTemporaryDir> <QTimer> <QUrl>)
set(RETTERUM_PCH_2 ${RETTERUM_PCH_1}
  <QColor> <QFont> <QGuiApplication> <QImage> <QPainter> <QTextBlock> <QTextCharFormat>
  <QTextCursor> <QTextDocument> <QTextList>)
set(RETTERUM_PCH_3 ${RETTERUM_PCH_2}
  <QAbstractButton> <QAction> <QApplication> <QButtonGroup> <QComboBox> <QDialog> <QHBoxLayout>
  <QLabel> <QLineEdit> <QMenu> <QPushButton> <QTextEdit> <QToolBar> <QToolButton> <QVBoxLayout>
  <QWidget>)
# Tests include <QtTest>, which brings all of QtCore; their headers have that as well. (QtTest
# itself can't be in it: QT_TESTCASE_BUILDDIR differs from folder to folder.)
foreach(level 1 2 3)
  set(RETTERUM_PCH_${level}t ${RETTERUM_PCH_${level}} <QtCore/QtCore>)
endforeach()
set(RETTERUM_PCH_QT_1 Qt6::Core)
set(RETTERUM_PCH_QT_2 Qt6::Gui)
set(RETTERUM_PCH_QT_3 Qt6::Widgets)

# One empty library per level that makes the header with the project's settings.
file(WRITE ${PROJECT_BINARY_DIR}/retterum_pch.cpp "")
foreach(level 1 2 3 1t 2t 3t)
  if(NOT RETTERUM_PCH)
    break()
  endif()
  string(SUBSTRING ${level} 0 1 qt)
  add_library(retterum_pch_${level} STATIC EXCLUDE_FROM_ALL ${PROJECT_BINARY_DIR}/retterum_pch.cpp)
  set_target_properties(retterum_pch_${level} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  target_link_libraries(retterum_pch_${level} PRIVATE retterum_settings ${RETTERUM_PCH_QT_${qt}})
  target_precompile_headers(retterum_pch_${level} PRIVATE ${RETTERUM_PCH_${level}})
endforeach()

# retterum_qt_level(<out> <link items>...): 3 for Widgets, 2 for Gui, 1 for Core, 0 without Qt;
# our own targets pass on the level they were given by retterum_use_pch.
function(retterum_qt_level out)
  set(level 0)
  foreach(item ${ARGN})
    set(item_level 0)
    if(item MATCHES "^Qt6::(Widgets|PrintSupport)$")
      set(item_level 3)
    elseif(item STREQUAL "Qt6::Gui")
      set(item_level 2)
    elseif(item MATCHES "^Qt6::")
      set(item_level 1)
    elseif(TARGET ${item})
      get_target_property(item_level ${item} RETTERUM_QT_LEVEL)
      if(NOT item_level)
        set(item_level 0)
      endif()
    endif()
    if(item_level GREATER level)
      set(level ${item_level})
    endif()
  endforeach()
  set(${out} ${level} PARENT_SCOPE)
endfunction()

# retterum_use_pch(<target> [TEST] <link items>...): the target reuses the header of its Qt level
# (the tests' one with TEST).
function(retterum_use_pch target)
  cmake_parse_arguments(ARG "TEST" "" "" ${ARGN})
  retterum_qt_level(level ${ARG_UNPARSED_ARGUMENTS})
  set_target_properties(${target} PROPERTIES RETTERUM_QT_LEVEL ${level})
  if(level EQUAL 0 OR NOT RETTERUM_PCH)
    return()
  endif()
  if(ARG_TEST)
    target_precompile_headers(${target} REUSE_FROM retterum_pch_${level}t)
    # A test includes its moc output itself, so this file is mostly empty; loading the large
    # header would take longer than compiling it.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
      PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  else()
    target_precompile_headers(${target} REUSE_FROM retterum_pch_${level})
  endif()
endfunction()
