# nlohmann/json, the independent JSON parser of the tools and tests (never of
# src/), as qm::json. The package is header-only; the cross build copies its
# headers aside so that no other header of the build machine is on its path.
if(NOT TARGET qm::json)
  add_library(qm::json INTERFACE IMPORTED GLOBAL)
  if(WIN32)
    find_path(QM_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
              REQUIRED)
    set(json_copy "${CMAKE_BINARY_DIR}/third-party/json/include")
    file(COPY "${QM_JSON_INCLUDE_DIR}/nlohmann" DESTINATION "${json_copy}")
    target_include_directories(qm::json SYSTEM INTERFACE "${json_copy}")
  else()
    find_package(nlohmann_json 3 REQUIRED)
    target_link_libraries(qm::json INTERFACE nlohmann_json::nlohmann_json)
  endif()
endif()
