# One library per folder of src/, each seeing only the headers of the parts it links.
#
#   qlr_part(TARGET FOLDER [INTERFACE] [LINKS part ...] [PUBLIC_LINKS part ...])
#
# builds the .cpp files of src/FOLDER (not its subfolders) into TARGET. Its headers
# are offered as "FOLDER/Name.h" through an include root of their own
# (build/include/TARGET, holding links to just these headers), so a part that
# includes a header of a part it does not link fails to compile: the one-way rule of
# the tree (platform below everything, common above it, the features above common,
# core on top) is part of the build. LINKS are private; PUBLIC_LINKS are the parts
# whose headers this part's own headers include.
function(qlr_part target folder)
    cmake_parse_arguments(PART "INTERFACE" "" "LINKS;PUBLIC_LINKS" ${ARGN})
    set(source_dir ${CMAKE_SOURCE_DIR}/src/${folder})
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(GLOB headers CONFIGURE_DEPENDS ${source_dir}/*.h)
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header ${headers})
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
    endforeach()
    if(PART_INTERFACE)
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${root})
        target_link_libraries(${target} INTERFACE ${PART_PUBLIC_LINKS})
        return()
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${source_dir}/*.cpp)
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${PART_PUBLIC_LINKS} PRIVATE ${PART_LINKS})
    qlr_set_warnings(${target})
endfunction()
