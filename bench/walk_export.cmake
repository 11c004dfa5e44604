# Exporting a long walk (eight poses with turns, at twice the preview's size) as
# a GIF, a sprite sheet and PNG frames, each against painting the same frames alone.
if(MIRTALA_WITH_QT)
  mirtala_bench(walk_export_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/walk_export_bench.cpp
    LIBS mirtala_picture mirtala_registry ${CMAKE_DL_LIBS})
  add_dependencies(walk_export_bench demo_creature Zubrelle)
  target_compile_definitions(walk_export_bench PRIVATE
    MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
    MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}"
    ZUBRELLE_MODULE_PATH="$<TARGET_FILE:Zubrelle>")
endif()
