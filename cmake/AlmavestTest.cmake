# The Qt headers each kind of test includes, parsed once for all the tests of that kind: a test
# linking only `almavest_core` gets QtCore and QtTest, the report and screen tests QtWidgets too.
set(_almavest_pch_almavest_core <QtTest/QtTest>)
set(_almavest_pch_almavest_report <QtTest/QtTest> <QtWidgets/QtWidgets>)
set(_almavest_pch_almavest_testsupport <QtTest/QtTest> <QtWidgets/QtWidgets>)

# Gives `target` the precompiled headers of the tests linking `lib`: the first such test builds
# them and the others reuse its copy, which needs the same compiler flags, hence one per library.
function(almavest_test_pch target lib)
    if(NOT DEFINED _almavest_pch_${lib})
        return()
    endif()
    get_property(owner GLOBAL PROPERTY ALMAVEST_PCH_OWNER_${lib})
    if(owner)
        target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
        target_precompile_headers(${target} PRIVATE ${_almavest_pch_${lib}})
        set_property(GLOBAL PROPERTY ALMAVEST_PCH_OWNER_${lib} ${target})
    endif()
endfunction()

# almavest_add_test(NAME name SOURCES ... LIBS ...)
# Builds one QtTest executable and registers it with CTest, headless and with a fixed locale.
function(almavest_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE almavest_settings Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
    target_compile_definitions(${T_NAME} PRIVATE
        ALMAVEST_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    list(LENGTH T_LIBS count)
    if(count EQUAL 1)
        almavest_test_pch(${T_NAME} ${T_LIBS})
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=Europe/Rome;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
