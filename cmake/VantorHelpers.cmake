# Shared build helpers: warnings for our own targets and the test registration.

function(vantor_warnings target)
    target_compile_options(${target} PRIVATE ${VANTOR_WARNINGS})
endfunction()

# vantor_add_test(<name> SOURCES <files...> [LIBS <libs...>] [LOCK <resource>] [TIMEOUT <s>] [LABELS <l...>])
# Builds one test executable and runs it through the isolation wrapper: its own HOME,
# XDG folders and runtime folder, a pinned time zone that is not UTC, and the offscreen
# platform, so no test touches a real home or needs a display.
function(vantor_add_test name)
    cmake_parse_arguments(T "" "LOCK;TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    vantor_warnings(${name})
    add_test(NAME ${name}
             COMMAND ${PROJECT_SOURCE_DIR}/tests/run-isolated.sh $<TARGET_FILE:${name}>)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_LOCK)
        # The lock also holds across build trees: a test run in another checkout on the same
        # machine waits instead of taking the port from under this one.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${T_LOCK})
        list(APPEND T_ENV "VANTOR_TEST_LOCKFILE=/tmp/vantor-test-${T_LOCK}.lock")
    endif()
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
    if(T_ENV)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENV}")
    endif()
endfunction()

# vantor_test_catalogue(<target> <ts file> <qm file> <definition>)
# Compiles a translation catalogue that a test program reads and passes the compiled file's path
# to the program as the compile definition <definition>.
function(vantor_test_catalogue target ts qm definition)
    add_custom_command(OUTPUT ${qm}
        COMMAND Qt5::lrelease -silent ${ts} -qm ${qm}
        DEPENDS ${ts})
    add_custom_target(${target}_catalogue DEPENDS ${qm})
    add_dependencies(${target} ${target}_catalogue)
    target_compile_definitions(${target} PRIVATE ${definition}="${qm}")
endfunction()
