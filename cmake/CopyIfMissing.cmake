# Copies SRC to DEST unless DEST already exists.
if(NOT EXISTS "${DEST}")
    get_filename_component(dir "${DEST}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SRC}" "${DEST}")
endif()
