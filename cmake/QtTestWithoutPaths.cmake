# zebstat_qt_test: Qt Test's headers and library without the folder paths that
# Qt6::Test defines for QFINDTESTDATA (unused here), so that no compile line
# holds a path of the clone and a second clone finds its objects in ccache.
find_package(Qt6 REQUIRED COMPONENTS Test)
if(NOT TARGET zebstat_qt_test)
  add_library(zebstat_qt_test INTERFACE)
  target_include_directories(zebstat_qt_test INTERFACE $<TARGET_PROPERTY:Qt6::Test,INTERFACE_INCLUDE_DIRECTORIES>)
  target_compile_definitions(zebstat_qt_test INTERFACE QT_TESTLIB_LIB)
  target_link_libraries(zebstat_qt_test INTERFACE $<TARGET_FILE:Qt6::Test>)
endif()
