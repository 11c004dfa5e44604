# The gait preview's onion skin (three frames each side) against one plain paint.
if(MIRTALA_WITH_QT)
  mirtala_bench(onion_skin_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/onion_skin_bench.cpp
    LIBS mirtala_picture mirtala_registry ${CMAKE_DL_LIBS})
  add_dependencies(onion_skin_bench demo_creature Zubrelle)
  target_compile_definitions(onion_skin_bench PRIVATE
    MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
    MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}"
    ZUBRELLE_MODULE_PATH="$<TARGET_FILE:Zubrelle>")
endif()
