# The large preview at 8x against a plain fill of the same window's bitmap, and its onion skin
# (three frames each side) against the onion skin of the picture drawn by the control at scale 8.
if(MIRTALA_WITH_QT)
  mirtala_bench(large_preview_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/large_preview_bench.cpp
    LIBS mirtala_ui mirtala_registry ${CMAKE_DL_LIBS})
  add_dependencies(large_preview_bench demo_creature Zubrelle)
  target_compile_definitions(large_preview_bench PRIVATE
    MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
    MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}"
    ZUBRELLE_MODULE_PATH="$<TARGET_FILE:Zubrelle>")
endif()
