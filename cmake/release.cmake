# Everything that turns the build into something a user installs and a developer measures.
include(${CMAKE_CURRENT_LIST_DIR}/install.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/startup.cmake)
