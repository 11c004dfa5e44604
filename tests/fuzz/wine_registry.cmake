# The Wine registry reader on arbitrary bytes.
mirtala_fuzzer(wine_registry SOURCES ${CMAKE_CURRENT_LIST_DIR}/wine_registry.cpp LIBS mirtala_registry)
