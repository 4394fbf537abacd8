# The catalogue builder: turns the readable sources of data/ into the lesson catalogue, the
# sequence catalogue, the guide and its annexes of the shipped data folder.
#
#   include(${CMAKE_SOURCE_DIR}/tools/catalogue_builder.cmake)
#   tavrel_shipped_catalogues(<build folder> <data folder>)
#
# defines the target shipped_catalogues, which writes lecons.tav, SEQUENCE.TAV, tavrel.txt and
# annexes.txt into the build folder and copies the two texts into the data folder; it sets
# TAVREL_LESSON_CATALOGUE, TAVREL_SEQUENCE_CATALOGUE and TAVREL_LESSON_CATALOGUE_TARGET for the
# layout of the data folder, which copies the catalogues. test_tools gets the builder's code and
# the data folder's path (TAVREL_SHIPPED_DATA_DIR) to read back what is shipped.
include_guard(GLOBAL)

file(GLOB CATALOGUE_BUILDER_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tools/catalogue_builder_*.cpp ${CMAKE_SOURCE_DIR}/tools/catalogue_builder_*.h)
list(FILTER CATALOGUE_BUILDER_SOURCES EXCLUDE REGEX "catalogue_builder_main\\.cpp$")
add_library(catalogue_sources STATIC ${CATALOGUE_BUILDER_SOURCES})
target_include_directories(catalogue_sources PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(catalogue_sources PUBLIC formats)

add_executable(catalogue_builder ${CMAKE_SOURCE_DIR}/tools/catalogue_builder_main.cpp)
target_link_libraries(catalogue_builder PRIVATE catalogue_sources)
# Plain C++: nothing for the meta-object compiler to do.
set_target_properties(catalogue_sources catalogue_builder PROPERTIES AUTOMOC OFF)

function(tavrel_shipped_catalogues out_dir data_dir)
  file(GLOB lesson_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/lessons/*.txt)
  set(drawings ${CMAKE_SOURCE_DIR}/assets/drawings.tsv)
  set(sequences ${CMAKE_SOURCE_DIR}/data/sequences.txt)
  set(guide ${CMAKE_SOURCE_DIR}/data/guide/tavrel.txt)
  set(annexes ${CMAKE_SOURCE_DIR}/data/guide/annexes.txt)
  set(outputs ${out_dir}/lecons.tav ${out_dir}/SEQUENCE.TAV ${out_dir}/tavrel.txt
      ${out_dir}/annexes.txt)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND catalogue_builder --drawings ${drawings} --sequences ${sequences} --guide ${guide}
            --annexes ${annexes} --out ${out_dir} --lessons ${lesson_sources}
    DEPENDS catalogue_builder ${lesson_sources} ${drawings} ${sequences} ${guide} ${annexes}
    COMMENT "Building the lesson and sequence catalogues, the guide and its annexes"
    VERBATIM)
  set(texts ${data_dir}/tavrel.txt ${data_dir}/annexes.txt)
  add_custom_command(
    OUTPUT ${texts}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${data_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${out_dir}/tavrel.txt ${out_dir}/annexes.txt ${data_dir}
    DEPENDS ${out_dir}/tavrel.txt ${out_dir}/annexes.txt
    COMMENT "Copying the guide and its annexes into the data folder"
    VERBATIM)
  add_custom_target(shipped_catalogues ALL DEPENDS ${outputs} ${texts})
  set(TAVREL_LESSON_CATALOGUE ${out_dir}/lecons.tav PARENT_SCOPE)
  set(TAVREL_SEQUENCE_CATALOGUE ${out_dir}/SEQUENCE.TAV PARENT_SCOPE)
  set(TAVREL_LESSON_CATALOGUE_TARGET shipped_catalogues PARENT_SCOPE)
  set_property(GLOBAL PROPERTY TAVREL_SHIPPED_DATA_DIR ${data_dir})
  # The tests are declared after the data folder: hand them the builder once they exist.
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _tavrel_catalogue_tests)
endfunction()

function(_tavrel_catalogue_tests)
  if(NOT TARGET test_tools)
    return()
  endif()
  get_property(out_dir GLOBAL PROPERTY TAVREL_SHIPPED_DATA_DIR)
  target_link_libraries(test_tools PRIVATE catalogue_sources)
  target_compile_definitions(test_tools PRIVATE TAVREL_SHIPPED_DATA_DIR="${out_dir}")
  add_dependencies(test_tools shipped_catalogues)
  if(TARGET data_folder)
    add_dependencies(test_tools data_folder)
  endif()
endfunction()
