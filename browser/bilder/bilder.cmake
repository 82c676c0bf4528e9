# The browser's own images, drawn from their SVG sources by the widget library's tool `bildmaler`
# and compiled into the library at the resource root (":closetab.png", ":defaulticon.png", ...).
set(browser_bilder)
foreach(name closetab defaulticon history addtab addbookmark)
  list(APPEND browser_bilder ${CMAKE_CURRENT_SOURCE_DIR}/bilder/${name}.svg 16 ${name}.png)
endforeach()
# Qt can read GIF files but not write them: the loading image keeps the name the tab bar asks
# for and holds a still PNG image, which the image reader recognises by its content.
list(APPEND browser_bilder ${CMAKE_CURRENT_SOURCE_DIR}/bilder/loading.svg 16 loading.gif)
male_bilder(browser "Drawing the browser's images" / browser_bilder.qrc ${CMAKE_CURRENT_BINARY_DIR}/bilder
            ${browser_bilder})

# The window icon stays a drawing, so that it is sharp at every size.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/bilder/browser_svg.qrc.neu
  "<!DOCTYPE RCC><RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n"
  "    <file alias=\"webbrowser.svg\">${CMAKE_CURRENT_SOURCE_DIR}/bilder/webbrowser.svg</file>\n"
  "  </qresource>\n</RCC>\n")
configure_file(${CMAKE_CURRENT_BINARY_DIR}/bilder/browser_svg.qrc.neu ${CMAKE_CURRENT_BINARY_DIR}/bilder/browser_svg.qrc
               COPYONLY)
qt5_add_resources(browser_svg_resource ${CMAKE_CURRENT_BINARY_DIR}/bilder/browser_svg.qrc)
target_sources(browser PRIVATE ${browser_svg_resource})
