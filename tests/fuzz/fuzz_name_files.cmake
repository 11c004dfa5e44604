mirtala_fuzzer(fuzz_name_files SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_name_files.cpp LIBS mirtala_names)
