list(APPEND LORVANEL_GUI_SOURCES
    src/ui/FileDialogFilter.cpp
    src/ui/FixedFont.cpp
    src/ui/GraphPictureFile.cpp
    src/ui/GuiAlertSink.cpp
    src/ui/QtText.cpp)
