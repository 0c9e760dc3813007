# One INTERFACE target carries the language level, the warnings and Qt's
# strict macros; every target of the project links it.
add_library(quorvel_options INTERFACE)
target_compile_features(quorvel_options INTERFACE cxx_std_20)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

target_compile_options(quorvel_options INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wold-style-cast -Woverloaded-virtual -Wnon-virtual-dtor>)
if(QUORVEL_WERROR)
    target_compile_options(quorvel_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
endif()
target_compile_definitions(quorvel_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_NO_CONTEXTLESS_CONNECT
    QT_STRICT_ITERATORS
    QT_USE_QSTRINGBUILDER)
# RelWithDebInfo keeps only the line tables (function, file and line in a
# backtrace or a debugger's step), compressed: every test program links the
# same libraries, and full debug information copied into each of them would
# fill gigabytes. A Debug build keeps everything.
target_compile_options(quorvel_options INTERFACE $<$<CONFIG:RelWithDebInfo>:-g1> $<$<CONFIG:Debug,RelWithDebInfo>:-gz>)
target_link_options(quorvel_options INTERFACE $<$<CONFIG:Debug,RelWithDebInfo>:-gz>)
if(QUORVEL_ASAN)
    target_compile_options(quorvel_options INTERFACE -fsanitize=address -fno-omit-frame-pointer)
    target_link_options(quorvel_options INTERFACE -fsanitize=address)
endif()

# The runtime folder of the tests and of the build's own programs: a private
# one of the build, so that Qt finds one outside a login session too, says
# nothing about it and makes none in the temporary folder.
set(QUORVEL_TEST_RUNTIME_DIR "${CMAKE_BINARY_DIR}/Testing/runtime")
file(MAKE_DIRECTORY "${QUORVEL_TEST_RUNTIME_DIR}")
file(CHMOD "${QUORVEL_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# quorvel_add_test(<name> SOURCES ... LIBS ...)
# A Qt Test executable run by CTest, offscreen, with the seeded program folder
# of the build named in QUORVEL_SEED_TREE (tests copy it, never write it),
# in a temporary folder of its own that goes when it ends (temp_folder.cpp).
function(quorvel_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/temp_folder.cpp)
    target_link_libraries(${name} PRIVATE quorvel_options Qt6::Test ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORVEL_SEED_TREE=${QUORVEL_APP_DIR};QUORVEL_SOURCE_DIR=${PROJECT_SOURCE_DIR};XDG_RUNTIME_DIR=${QUORVEL_TEST_RUNTIME_DIR}"
        TIMEOUT 300)
    if(TARGET install_tree)
        add_dependencies(${name} install_tree)
    endif()
endfunction()

# quorvel_add_test_run(<name> <test>)
# One more CTest run of an existing test's program, in the same environment.
function(quorvel_add_test_run name test)
    add_test(NAME ${name} COMMAND ${test})
    get_test_property(${test} ENVIRONMENT mediu)
    get_test_property(${test} TIMEOUT timp)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${mediu}" TIMEOUT ${timp})
endfunction()

# quorvel_test_locale(<test> [VAR=value]...)
# The test runs with the caller's locale variables taken away and the given
# ones set (none: no locale chosen at all).
function(quorvel_test_locale test)
    set(modificari)
    foreach(v LC_ALL LANG LANGUAGE LC_NUMERIC LC_TIME LC_MONETARY LC_MESSAGES LC_MEASUREMENT LC_COLLATE)
        list(APPEND modificari "${v}=unset:")
    endforeach()
    foreach(v IN LISTS ARGN)
        string(REPLACE "=" "=set:" v "${v}")
        list(APPEND modificari "${v}")
    endforeach()
    set_tests_properties(${test} PROPERTIES ENVIRONMENT_MODIFICATION "${modificari}")
endfunction()
