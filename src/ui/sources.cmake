list(APPEND LORVANEL_GUI_SOURCES
    src/ui/FileDialogFilter.cpp
    src/ui/FixedFont.cpp
    src/ui/GuiAlertSink.cpp
    src/ui/QtText.cpp)

# Pictures of the graphs, drawn with Qt Gui alone: the desktop program, lorvanel-cli graph
# --png and the benchmarks share them.
list(APPEND LORVANEL_PAINT_SOURCES
    src/ui/GraphImage.cpp
    src/ui/QPainterSurface.cpp)
