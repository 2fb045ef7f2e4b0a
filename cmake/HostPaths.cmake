# What the build takes from the machine, where Debian puts it: set once, for the tests and
# the host tools alike.
set(KORVANE_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
# Wine's 32-bit libraries, which the exe's imports are checked against; installed with
# wine32:i386 even where the machine cannot run them.
set(KORVANE_WINE_DLLS /usr/lib/i386-linux-gnu/wine/i386-windows CACHE PATH
    "Wine's 32-bit libraries")
