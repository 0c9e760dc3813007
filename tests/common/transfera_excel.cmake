quorvel_add_test(common_transfera_excel
    SOURCES tst_transfera_excel.cpp
    LIBS common_windows PkgConfig::LIBZIP)
