# tavro_layer(<target> <folder>): gives a library its own include root. The
# root holds only <folder> (a path below the source root, reached through a
# symbolic link under the same relative path), so that a file includes
# headers as "physics/records.h" or "product/catalogue/catalogue.h" and
# finds only the folders of its own library and of the libraries it links:
# a header of a higher layer is not on its include path.
function(tavro_layer target folder)
    set(root "${PROJECT_BINARY_DIR}/include-roots/${target}")
    set(link "${root}/${folder}")
    get_filename_component(parent "${link}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    if(NOT IS_SYMLINK "${link}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${link}" SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${root}>")
endfunction()
