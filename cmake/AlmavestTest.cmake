# almavest_add_test(NAME name SOURCES ... LIBS ...)
# Builds one QtTest executable and registers it with CTest, headless and with a fixed locale.
function(almavest_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE almavest_settings Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
    target_compile_definitions(${T_NAME} PRIVATE
        ALMAVEST_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=Europe/Rome;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
