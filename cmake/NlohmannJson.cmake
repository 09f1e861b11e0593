# nlohmann/json, the header-only JSON library of Debian's nlohmann-json3-dev, for every build. Its
# headers stand among the system's in /usr/include, which a cross compiler must not search: the
# target nlohmann_json_headers gives a folder of the build's own that holds only them.
find_path(TAVRIN_NLOHMANN_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(nlohmann_json_folder ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${nlohmann_json_folder})
file(CREATE_LINK ${TAVRIN_NLOHMANN_JSON_INCLUDE}/nlohmann ${nlohmann_json_folder}/nlohmann
    SYMBOLIC)
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${nlohmann_json_folder})
