# The browser's own images, drawn from their SVG sources by the widget library's tool `bildmaler`
# and compiled into the library at the resource root (":closetab.png", ":defaulticon.png", ":history.png").
set(browser_bilder)
foreach(name closetab defaulticon history)
  list(APPEND browser_bilder ${CMAKE_CURRENT_SOURCE_DIR}/bilder/${name}.svg 16 ${name}.png)
endforeach()
male_bilder(browser "Drawing the browser's images" / browser_bilder.qrc ${CMAKE_CURRENT_BINARY_DIR}/bilder
            ${browser_bilder})
