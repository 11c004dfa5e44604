# The registry file reader on arbitrary bytes.
mirtala_fuzzer(registry_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_file.cpp LIBS mirtala_registry)
