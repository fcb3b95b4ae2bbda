# Runs at install time (included from an install(CODE) block): writes the
# two desktop entries with the launcher's absolute path under the prefix
# chosen for this installation, then installs them.
foreach(dir IN ITEMS MORVEX_LAUNCHER_DIR MORVEX_BINDIR)
    if(IS_ABSOLUTE "${${dir}}")
        set(${dir}_FULL "${${dir}}")
    else()
        set(${dir}_FULL "${CMAKE_INSTALL_PREFIX}/${${dir}}")
    endif()
endforeach()

set(launcher "${MORVEX_LAUNCHER_DIR_FULL}/menu-editor-start")
# A percent sign would start a field code.
string(REPLACE "%" "%%" launcher "${launcher}")
# The Exec key needs quotes around a path with blanks, and then escapes
# for the characters that are special inside them.
if(launcher MATCHES "[ \t\"'\\\\`$<>~|&;*?#()]")
    string(REPLACE "\\" "\\\\\\\\" quoted "${launcher}")
    foreach(special IN ITEMS "\"" "`" "$")
        string(REPLACE "${special}" "\\\\${special}" quoted "${quoted}")
    endforeach()
    set(MORVEX_DESKTOP_EXEC "\"${quoted}\"")
else()
    set(MORVEX_DESKTOP_EXEC "${launcher}")
endif()
set(MORVEX_DESKTOP_TRYEXEC_EN "${MORVEX_BINDIR_FULL}/menu_editor_en")
set(MORVEX_DESKTOP_TRYEXEC_ZH "${MORVEX_BINDIR_FULL}/menu_editor_zh")

# One folder per destination, so installing to two prefixes from the same
# build never mixes their entries.
string(MD5 destination_key "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(out_dir "${MORVEX_BINARY_DIR}/desktop/${destination_key}")
set(entries)
foreach(entry IN ITEMS "${MORVEX_APP_ID}" "${MORVEX_APP_ID}.Chinese")
    configure_file("${MORVEX_SOURCE_DIR}/${entry}.desktop.in" "${out_dir}/${entry}.desktop" @ONLY)
    list(APPEND entries "${out_dir}/${entry}.desktop")
endforeach()
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${MORVEX_DATADIR}/applications" TYPE FILE FILES ${entries})
