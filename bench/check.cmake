mirtala_bench(check_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/check_bench.cpp LIBS mirtala_genome)
