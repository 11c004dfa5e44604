mirtala_fuzzer(fuzz_genome SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_genome.cpp LIBS mirtala_genome)
