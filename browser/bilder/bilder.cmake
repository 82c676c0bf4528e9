# The browser's own images: each SVG source in bilder/ is drawn to a 16-pixel PNG at build time
# and compiled into the library at the resource root (":<name>.png").
file(GLOB browser_svgs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bilder/*.svg)
set(browser_bilder)
foreach(svg IN LISTS browser_svgs)
  get_filename_component(name ${svg} NAME_WE)
  list(APPEND browser_bilder ${svg} 16 ${name}.png)
endforeach()
bilder_resource(browser / ${browser_bilder})
