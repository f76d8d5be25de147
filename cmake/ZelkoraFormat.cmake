# `cmake --build build --target format` applies .clang-format to every source file.
find_program(CLANG_FORMAT_PROGRAM NAMES clang-format clang-format-14)
if(CLANG_FORMAT_PROGRAM)
    file(GLOB_RECURSE ZELKORA_FORMAT_SOURCES CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
         ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
         ${PROJECT_SOURCE_DIR}/bench/*.cpp)
    add_custom_target(format
        COMMAND ${CLANG_FORMAT_PROGRAM} -i ${ZELKORA_FORMAT_SOURCES}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Formatting sources with clang-format")
    add_custom_target(format-check
        COMMAND ${CLANG_FORMAT_PROGRAM} --dry-run --Werror ${ZELKORA_FORMAT_SOURCES}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Checking source formatting")
endif()
