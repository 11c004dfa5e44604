# The gait preview's onion skin (three frames each side) against one plain paint.
if(MIRTALA_WITH_QT)
  mirtala_bench(onion_skin_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/onion_skin_bench.cpp
    LIBS mirtala_picture)
  mirtala_bench_on_control(onion_skin_bench)
endif()
