# The best-plan optimiser's benchmark (u120, t120 and the largest job mixes).
# Run: BRX_BENCH_DATA=<folder of binpack1.txt and t120/> build/release/bench/best_plan_bench
find_package(benchmark REQUIRED)
add_executable(best_plan_bench ${CMAKE_CURRENT_LIST_DIR}/best_plan_bench.cpp)
target_link_libraries(best_plan_bench PRIVATE brx_engine brx_warnings benchmark::benchmark)
