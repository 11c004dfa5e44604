# Finding the host product's folders in a Wine prefix against reading its system.reg.
mirtala_bench(hostfolders_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostfolders_bench.cpp LIBS mirtala_registry)
