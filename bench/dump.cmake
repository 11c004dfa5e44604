mirtala_bench(dump_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/dump_bench.cpp LIBS mirtala_cli mirtala_fileio)
