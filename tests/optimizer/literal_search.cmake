# The literal bar packing search and the job helpers shared by the search's
# tests and its benchmarks; included from tests/optimizer and from bench, so
# either build defines it once.
if(NOT TARGET brx_literal_search)
  add_library(brx_literal_search STATIC
    ${CMAKE_CURRENT_LIST_DIR}/literal_pack_bars.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search_jobs.cpp)
  target_include_directories(brx_literal_search PUBLIC ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(brx_literal_search PUBLIC brx_engine PRIVATE brx_warnings)
endif()
