# Run by `cmake --install`: the parts of Wheelbook's installation that depend on the
# prefix given then. Expects WB_SOURCE_DIR and the installed folders WB_APPDIR, WB_BINDIR
# and WB_DATADIR (a relative one is under CMAKE_INSTALL_PREFIX).

foreach(dir APPDIR BINDIR DATADIR)
    if(IS_ABSOLUTE "${WB_${dir}}")
        set(path "${WB_${dir}}")
    else()
        set(path "${CMAKE_INSTALL_PREFIX}/${WB_${dir}}")
    endif()
    cmake_path(NORMAL_PATH path)
    string(REGEX REPLACE "(.)/$" "\\1" path "${path}")
    set(wb_${dir} "${path}")
endforeach()
set(wb_program "${wb_APPDIR}/wheelbook")

# The data file is the user's: the shipped one goes only into a folder that has none, and
# it is left out of the install manifest, so that nothing built on it removes the data.
set(wb_data "$ENV{DESTDIR}${wb_APPDIR}/cardata.dat")
if(EXISTS "${wb_data}" OR IS_SYMLINK "${wb_data}")
    message(STATUS "Keeping: ${wb_data}")
else()
    message(STATUS "Installing: ${wb_data}")
    file(COPY_FILE "${WB_SOURCE_DIR}/data/cardata.dat" "${wb_data}")
endif()

# The command: a relative link, so the installation can be moved as a whole. The program
# finds its application folder from its own real path.
set(wb_link "$ENV{DESTDIR}${wb_BINDIR}/wheelbook")
file(RELATIVE_PATH wb_target "${wb_BINDIR}" "${wb_program}")
message(STATUS "Installing: ${wb_link} -> ${wb_target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${wb_BINDIR}")
file(REMOVE "${wb_link}")
file(CREATE_LINK "${wb_target}" "${wb_link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${wb_link}")

# The launcher runs the installed program by its absolute path. An Exec argument holding
# a reserved character is quoted, with ", `, $ and \ escaped inside the quotes; then every
# \ is doubled, and % written %%, as the desktop entry's own escapes require.
set(wb_exec "${wb_program}")
if(wb_exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" wb_exec "${wb_exec}")
    set(wb_exec "\"${wb_exec}\"")
endif()
string(REPLACE "\\" "\\\\" wb_exec "${wb_exec}")
string(REPLACE "%" "%%" WHEELBOOK_DESKTOP_EXEC "${wb_exec}")
string(REPLACE "\\" "\\\\" WHEELBOOK_DESKTOP_TRY_EXEC "${wb_program}")
set(wb_desktop "$ENV{DESTDIR}${wb_DATADIR}/applications/wheelbook.desktop")
message(STATUS "Installing: ${wb_desktop}")
configure_file("${WB_SOURCE_DIR}/data/wheelbook.desktop.in" "${wb_desktop}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${wb_desktop}")
