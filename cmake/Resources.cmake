# Embeds the default files of resources/defaults into the binary as byte arrays.
file(GLOB fw_default_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/defaults/*)
set(fw_resources_cpp ${CMAKE_BINARY_DIR}/generated/default_files_data.cpp)
add_custom_command(
  OUTPUT ${fw_resources_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUT=${fw_resources_cpp} -DDIR=${CMAKE_SOURCE_DIR}/resources/defaults
          -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
  DEPENDS ${fw_default_files} ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
  COMMENT "Embedding default files")
file(GLOB fw_resources_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.cpp)
add_library(fw_resources STATIC ${fw_resources_cpp} ${fw_resources_sources})
target_include_directories(fw_resources PUBLIC ${CMAKE_SOURCE_DIR})
