# The data-sentence parser and the live display; included from this folder's CMakeLists.txt.

# Plain C++ that the fuzzer compiles directly.
add_library(app_parser STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sentence_parser.cpp
)
target_link_libraries(app_parser PUBLIC chart_table protocol numbers platform Qt6::Core)

add_library(app_live_display STATIC
  ${CMAKE_CURRENT_LIST_DIR}/live_display.cpp
)
target_link_libraries(app_live_display PUBLIC app_parser chart_table controls Qt6::Widgets)
