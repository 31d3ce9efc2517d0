# Layers: each one names the lower layers it may include. A platform layer's sources see only
# those layers' headers (a directory per layer holding one link named after it), and the
# layers test reads every #include of every layer against the list written to layers.txt, so
# an include reaching up or sideways fails the build or the test with file and line.
set(MORVANE_LAYER_HEADERS ${PROJECT_BINARY_DIR}/layer-headers)
set_property(GLOBAL PROPERTY MORVANE_LAYER_LINES "")

# morvane_layer(name directory USES lower...): declares a layer living in `directory`
# (relative to the source tree) and the layers it may include.
function(morvane_layer name directory)
  cmake_parse_arguments(PARSE_ARGV 2 layer "" "" "USES")
  list(JOIN layer_USES " " uses)
  set_property(GLOBAL APPEND PROPERTY MORVANE_LAYER_LINES "${name} ${directory} ${uses}")
  set_property(GLOBAL PROPERTY MORVANE_LAYER_USES_${name} ${layer_USES})
  file(MAKE_DIRECTORY ${MORVANE_LAYER_HEADERS}/${name})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${directory} ${MORVANE_LAYER_HEADERS}/${name}/${name}
       SYMBOLIC)
endfunction()

# Gives `target` the headers of layer `name` and of the layers it may use, and no others.
function(morvane_layer_headers target name)
  get_property(uses GLOBAL PROPERTY MORVANE_LAYER_USES_${name})
  foreach(layer ${name} ${uses})
    target_include_directories(${target} PRIVATE ${MORVANE_LAYER_HEADERS}/${layer})
  endforeach()
endfunction()

# Writes the list the layers test reads; called once every layer is declared.
function(morvane_write_layer_list)
  get_property(lines GLOBAL PROPERTY MORVANE_LAYER_LINES)
  list(JOIN lines "\n" content)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/layers.txt CONTENT "${content}\n" @ONLY)
endfunction()
