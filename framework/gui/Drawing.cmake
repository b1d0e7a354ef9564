# Device contexts and their drawing objects.
target_sources(nolvex_framework_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GdiObjects.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemMetrics.cpp
)
