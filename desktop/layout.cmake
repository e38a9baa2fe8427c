# Where `cmake --install` puts things, relative to the prefix. The programs keep the layout of
# the build's bin folder in a folder of their own (the help pages beside them, where the
# program looks for its help file; the batch runner and the stand-in tools beside it), with
# the commands a user types linked into bin. The demo data is shared data.
set(TARNEL_INSTALL_PROGRAM_DIR lib/tarnel)
set(TARNEL_INSTALL_DEMO_DIR share/tarnel/demo)
# How the installed demo installer finds the demo data from its own folder.
file(RELATIVE_PATH TARNEL_DEMO_FROM_PROGRAM /prefix/${TARNEL_INSTALL_PROGRAM_DIR} /prefix/${TARNEL_INSTALL_DEMO_DIR})
