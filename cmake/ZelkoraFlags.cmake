# Flags every target of the project shares, carried by one INTERFACE target.
add_library(zelkora_flags INTERFACE)
add_library(Zelkora::flags ALIAS zelkora_flags)

target_compile_features(zelkora_flags INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(zelkora_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough -Werror)

target_compile_definitions(zelkora_flags INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_NO_KEYWORDS
    QT_USE_QSTRINGBUILDER
    QT_STRICT_ITERATORS
    QT_DISABLE_DEPRECATED_UP_TO=0x060400
    ZELKORA_VERSION="${PROJECT_VERSION}"
    ZELKORA_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    ZELKORA_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    ZELKORA_VERSION_PATCH=${PROJECT_VERSION_PATCH})

if(ZELKORA_SANITIZE)
    target_compile_options(zelkora_flags INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
        -D_GLIBCXX_ASSERTIONS -DQT_FORCE_ASSERTS)
    target_link_options(zelkora_flags INTERFACE -fsanitize=address,undefined)
endif()

# zelkora_add_library(NAME <target> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...] [SHARED])
# A small library of one source folder; its public headers are included as <folder/header.h>.
function(zelkora_add_library name)
    cmake_parse_arguments(ARG "SHARED" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    if(ARG_SHARED)
        add_library(${name} SHARED ${ARG_SOURCES})
    else()
        add_library(${name} STATIC ${ARG_SOURCES})
    endif()
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE zelkora_flags ${ARG_PRIVATE_LIBS})
endfunction()
