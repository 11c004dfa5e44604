mirtala_bench(genome_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/genome_bench.cpp LIBS mirtala_genome)
