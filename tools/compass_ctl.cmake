# compass-ctl: one module from the command line, for scripts on the production
# line. No widgets: the program's compass object, receive path, sentence
# parser, settings table, dump, profiles, log writer and calibration check.
add_library(compass_ctl_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ctl_check_json.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctl_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctl_module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctl_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctl_platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctl_port.cpp
)
target_link_libraries(compass_ctl_core PUBLIC
  compass_cli device settings_core app_core app_parser logging_core mag_check_core platform_qt_core)

add_executable(compass-ctl ${CMAKE_CURRENT_LIST_DIR}/compass_ctl_main.cpp)
target_link_libraries(compass-ctl PRIVATE compass_ctl_core)
