# COIN-OR CBC (branch and cut over CLP's linear relaxations), from Debian's coinor-libcbc-dev.
# Any target that solves integer programs includes this file and links PkgConfig::CBC; the
# include guard makes the second include a no-op, the GLOBAL target is seen from every folder.
include_guard(GLOBAL)
find_package(PkgConfig REQUIRED)
pkg_check_modules(CBC REQUIRED IMPORTED_TARGET GLOBAL cbc)
